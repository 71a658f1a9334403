#include "engine/record_form.h"

#include "foundation/memory.h"

namespace {

bool isButton(const FormControl& control) {
    return control.kind == ControlKind::Check || control.kind == ControlKind::Radio;
}

}  // namespace

RecordForm::RecordForm() {
    for (size_t i = 0; i < formControlCount; ++i) {
        const FormControl& control = formTable::controls[i];
        entries[i].control = &control;
        entries[i].checked = control.checked;
        entries[i].text = control.text != nullptr ? control.text : "";
    }
}

RecordForm::Entry* RecordForm::entryFor(FormPage page, uint32_t control) {
    for (Entry& entry : entries) {
        if (entry.control->page == page && entry.control->id == control)
            return &entry;
    }
    return nullptr;
}

const RecordForm::Entry* RecordForm::entryFor(FormPage page, uint32_t control) const {
    return const_cast<RecordForm*>(this)->entryFor(page, control);
}

String RecordForm::text(FormPage page, uint32_t control) const {
    const Entry* entry = entryFor(page, control);
    if (entry == nullptr || isButton(*entry->control))
        return String("");
    return entry->text;
}

bool RecordForm::isChecked(FormPage page, uint32_t control) const {
    const Entry* entry = entryFor(page, control);
    return entry != nullptr && isButton(*entry->control) && entry->checked;
}

bool RecordForm::setText(FormPage page, uint32_t control, const char* text) {
    Entry* entry = entryFor(page, control);
    if (entry == nullptr || isButton(*entry->control))
        return false;
    entry->text = text != nullptr ? text : "";
    return entry->text.chars() != nullptr;
}

bool RecordForm::setChecked(FormPage page, uint32_t control, bool checked) {
    Entry* entry = entryFor(page, control);
    if (entry == nullptr || !isButton(*entry->control))
        return false;
    entry->checked = checked;
    const char* group = entry->control->radioGroup;
    if (!checked || group == nullptr)
        return true;
    for (Entry& other : entries) {
        if (&other != entry && other.control->page == page &&
            other.control->radioGroup != nullptr &&
            strCompare(other.control->radioGroup, group) == 0)
            other.checked = false;
    }
    return true;
}
