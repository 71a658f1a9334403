#include "engine/record_form.h"

namespace {

struct ControlSpec {
    FormPage page;
    uint32_t control;
    bool isText;
    const char* initialText;
    bool initiallyChecked;
};

// Every control the engine reads, in page order, with the form's initial state.
const ControlSpec controlSpecs[] = {
    {GeneralPage, GeneralControl::TitleEdit, true, "", false},
    {GeneralPage, GeneralControl::UploaderEdit, true, "", false},
    {GeneralPage, GeneralControl::SoftwareEdit, true, "", false},
    {GeneralPage, GeneralControl::PackedEdit, true, "", false},
    {GeneralPage, GeneralControl::UnpackedCheck, false, nullptr, false},
    {GeneralPage, GeneralControl::UnpackedEdit, true, "", false},
    {GeneralPage, GeneralControl::UnitList, true, "Kb", false},
    {GeneralPage, GeneralControl::SerialCheck, false, nullptr, false},
    {GeneralPage, GeneralControl::SerialEdit, true, "", false},
    {GeneralPage, GeneralControl::RegisteredToCheck, false, nullptr, false},
    {GeneralPage, GeneralControl::RegisteredToEdit, true, "", false},
    {GeneralPage, GeneralControl::CrackedByCheck, false, nullptr, false},
    {GeneralPage, GeneralControl::CrackedByEdit, true, "", false},
    {GeneralPage, GeneralControl::AlreadyCrackedRadio, false, nullptr, true},
    {GeneralPage, GeneralControl::CrackIncludedRadio, false, nullptr, false},
    {GeneralPage, GeneralControl::KeygenByCheck, false, nullptr, false},
    {GeneralPage, GeneralControl::KeygenByEdit, true, "", false},
    {UploadPage, UploadControl::UploadedAsCombo, true, "", false},
    {UploadPage, UploadControl::PostNumberCheck, false, nullptr, true},
    {UploadPage, UploadControl::PostNumberEdit, true, "1", false},
    {UploadPage, UploadControl::FilesCheck, false, nullptr, false},
    {UploadPage, UploadControl::FilesEdit, true, "", false},
    {UploadPage, UploadControl::PerDayCheck, false, nullptr, false},
    {UploadPage, UploadControl::PerDayEdit, true, "", false},
    {UploadPage, UploadControl::PresetsRadio, false, nullptr, true},
    {UploadPage, UploadControl::CustomTextRadio, false, nullptr, false},
    {UploadPage, UploadControl::SfvCheck, false, nullptr, false},
    {UploadPage, UploadControl::CueCheck, false, nullptr, false},
    {UploadPage, UploadControl::ManualCheck, false, nullptr, false},
    {UploadPage, UploadControl::CustomSupportEdit, true, "", false},
    {UploadPage, UploadControl::NewsgroupsEdit, true, "", false},
    {UploadPage, UploadControl::RepostCombo, true, "There will be no full repost!", false},
    {UploadPage, UploadControl::FillWaitCheck, false, nullptr, false},
    {VariousTextPage, VariousControl::InstallCheck, false, nullptr, false},
    {VariousTextPage, VariousControl::InstallEdit, true, "", false},
    {VariousTextPage, VariousControl::CommentsCheck, false, nullptr, false},
    {VariousTextPage, VariousControl::CommentsEdit, true, "", false},
    {VariousTextPage, VariousControl::ThanksCheck, false, nullptr, false},
    {VariousTextPage, VariousControl::ThanksEdit, true, "", false},
};

static_assert(sizeof(controlSpecs) / sizeof(controlSpecs[0]) == 39, "one entry per control");

// The radio buttons that exclude each other, in pairs.
struct RadioPair {
    FormPage page;
    uint32_t first;
    uint32_t second;
};

const RadioPair radioPairs[] = {
    {GeneralPage, GeneralControl::AlreadyCrackedRadio, GeneralControl::CrackIncludedRadio},
    {UploadPage, UploadControl::PresetsRadio, UploadControl::CustomTextRadio},
};

}  // namespace

RecordForm::RecordForm() {
    for (uint32_t i = 0; i < entryCount; ++i) {
        const ControlSpec& spec = controlSpecs[i];
        entries[i].page = spec.page;
        entries[i].control = spec.control;
        entries[i].isText = spec.isText;
        entries[i].checked = spec.initiallyChecked;
        entries[i].text = spec.initialText;
    }
}

RecordForm::Entry* RecordForm::entryFor(FormPage page, uint32_t control) {
    for (Entry& entry : entries) {
        if (entry.page == page && entry.control == control)
            return &entry;
    }
    return nullptr;
}

const RecordForm::Entry* RecordForm::entryFor(FormPage page, uint32_t control) const {
    return const_cast<RecordForm*>(this)->entryFor(page, control);
}

String RecordForm::text(FormPage page, uint32_t control) const {
    const Entry* entry = entryFor(page, control);
    if (entry == nullptr || !entry->isText)
        return String("");
    return entry->text;
}

bool RecordForm::isChecked(FormPage page, uint32_t control) const {
    const Entry* entry = entryFor(page, control);
    return entry != nullptr && !entry->isText && entry->checked;
}

bool RecordForm::setText(FormPage page, uint32_t control, const char* text) {
    Entry* entry = entryFor(page, control);
    if (entry == nullptr || !entry->isText)
        return false;
    entry->text = text != nullptr ? text : "";
    return entry->text.chars() != nullptr;
}

bool RecordForm::setChecked(FormPage page, uint32_t control, bool checked) {
    Entry* entry = entryFor(page, control);
    if (entry == nullptr || entry->isText)
        return false;
    entry->checked = checked;
    if (!checked)
        return true;
    for (const RadioPair& pair : radioPairs) {
        if (pair.page != page)
            continue;
        if (control == pair.first)
            entryFor(page, pair.second)->checked = false;
        if (control == pair.second)
            entryFor(page, pair.first)->checked = false;
    }
    return true;
}
