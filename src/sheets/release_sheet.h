// Release sheets: the form's contents written as TOML (UTF-8), one key per control.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/record_form.h"

// A sheet that cannot be used. Each problem reads "SHEET:LINE: KEY: what is wrong" (or
// "SHEET: ..." for problems without a line, such as a syntax error's position).
class SheetError : public std::runtime_error {
public:
    explicit SheetError(std::vector<std::string> problems);
    const std::vector<std::string>& problems() const { return list; }

private:
    std::vector<std::string> list;
};

// Fills form from the sheet's text. Every key is optional: an absent key leaves its control as the
// form starts. Throws SheetError listing every problem found (syntax, unknown tables and keys,
// wrong types, bad values); then the form must not be used. The text is let go once parsed.
void readReleaseSheet(std::string text, const std::string& sheetName, RecordForm& form);

// A sheet with every key, each after a comment with its meaning and its default, ready to fill
// in. The keys whose presence alone ticks a box are commented out; the others hold the untouched
// form's values, so that the sheet renders as an empty one does.
std::string starterSheet();

// The form as a sheet that fills the form again as it is, laid out as the starter sheet.
std::string releaseSheet(const RecordForm& form);
