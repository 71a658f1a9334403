// The engine harness's input: the form's check states, its texts, then the template's bytes.
//
//   3 bytes        one bit per check box or radio button, in the order of formChecks below
//   20 texts       each ended by a NUL byte, in the order of formTexts below
//   the rest       the template, any bytes (NUL included)
//
// An input that ends early leaves the later texts and the template empty. A single-line control
// holds no line break (the form's edit boxes keep only the first line of a paste), so a
// single-line text is cut at its first CR or LF; multi-line texts are taken as they are.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "engine/form_controls.h"
#include "engine/record_form.h"

namespace fuzzform {

struct Control {
    FormPage page;
    uint32_t id;
    bool multiLine;
};

const Control formChecks[] = {
    {GeneralPage, GeneralControl::UnpackedCheck, false},
    {GeneralPage, GeneralControl::SerialCheck, false},
    {GeneralPage, GeneralControl::RegisteredToCheck, false},
    {GeneralPage, GeneralControl::CrackedByCheck, false},
    {GeneralPage, GeneralControl::AlreadyCrackedRadio, false},
    {GeneralPage, GeneralControl::CrackIncludedRadio, false},
    {GeneralPage, GeneralControl::KeygenByCheck, false},
    {UploadPage, UploadControl::PostNumberCheck, false},
    {UploadPage, UploadControl::FilesCheck, false},
    {UploadPage, UploadControl::PerDayCheck, false},
    {UploadPage, UploadControl::PresetsRadio, false},
    {UploadPage, UploadControl::CustomTextRadio, false},
    {UploadPage, UploadControl::SfvCheck, false},
    {UploadPage, UploadControl::CueCheck, false},
    {UploadPage, UploadControl::ManualCheck, false},
    {UploadPage, UploadControl::FillWaitCheck, false},
    {VariousTextPage, VariousControl::InstallCheck, false},
    {VariousTextPage, VariousControl::CommentsCheck, false},
    {VariousTextPage, VariousControl::ThanksCheck, false},
};

const Control formTexts[] = {
    {GeneralPage, GeneralControl::TitleEdit, false},
    {GeneralPage, GeneralControl::UploaderEdit, false},
    {GeneralPage, GeneralControl::SoftwareEdit, false},
    {GeneralPage, GeneralControl::PackedEdit, false},
    {GeneralPage, GeneralControl::UnpackedEdit, false},
    {GeneralPage, GeneralControl::UnitList, false},
    {GeneralPage, GeneralControl::SerialEdit, false},
    {GeneralPage, GeneralControl::RegisteredToEdit, false},
    {GeneralPage, GeneralControl::CrackedByEdit, false},
    {GeneralPage, GeneralControl::KeygenByEdit, false},
    {UploadPage, UploadControl::UploadedAsCombo, false},
    {UploadPage, UploadControl::PostNumberEdit, false},
    {UploadPage, UploadControl::FilesEdit, false},
    {UploadPage, UploadControl::PerDayEdit, false},
    {UploadPage, UploadControl::CustomSupportEdit, false},
    {UploadPage, UploadControl::RepostCombo, false},
    {UploadPage, UploadControl::NewsgroupsEdit, true},
    {VariousTextPage, VariousControl::InstallEdit, true},
    {VariousTextPage, VariousControl::CommentsEdit, true},
    {VariousTextPage, VariousControl::ThanksEdit, true},
};

const size_t checkBytes = 3;
const size_t checkCount = sizeof(formChecks) / sizeof(formChecks[0]);
const size_t textCount = sizeof(formTexts) / sizeof(formTexts[0]);
static_assert(checkCount <= checkBytes * 8, "one bit per check control");

// Fills form from the front of the input; returns where the template's bytes begin.
inline size_t decodeForm(const uint8_t* data, size_t size, RecordForm& form) {
    for (size_t i = 0; i < checkCount; ++i) {
        bool checked = i / 8 < size && (data[i / 8] >> (i % 8) & 1) != 0;
        form.setChecked(formChecks[i].page, formChecks[i].id, checked);
    }
    size_t at = checkBytes < size ? checkBytes : size;
    for (const Control& control : formTexts) {
        size_t end = at;
        while (end < size && data[end] != 0)
            ++end;
        std::string text(reinterpret_cast<const char*>(data) + at, end - at);
        if (!control.multiLine)
            text = text.substr(0, text.find_first_of("\r\n"));
        form.setText(control.page, control.id, text.c_str());
        at = end < size ? end + 1 : size;
    }
    return at;
}

}  // namespace fuzzform
