// quenby_form's three jobs, one file each: form_ids.cpp, form_json.cpp and form_state.cpp.
#pragma once

#include <string>

#include "engine/form_table.h"

// The resource ids of the form pages, as #defines for quenby.rc, on standard output.
int printIds();
// The form as JSON, with the labels and captions of the resource script at rcPath. A statement
// it cannot read is an error that names its line.
int printJson(const char* rcPath);
// Each control of the untouched form, or of the form filled from the release sheet at sheetPath
// (- for standard input), as the test driver's form-state prints the dialogs.
int printState(const char* sheetPath);

// The resource id words of quenby.rc: IDD_GENERAL_PAGE, IDC_GENERAL_REGISTERED_TO_EDIT.
std::string pageMacro(const FormPageInfo& page);
std::string controlMacro(const FormControl& control);
