#include <string>

#include "cli/cp437.h"
#include "cli/release_sheet.h"
#include "cli/sheet_keys.h"
#include "cli/sheet_text.h"

namespace {

std::string textOf(const RecordForm& form, FormPage page, uint32_t control) {
    String text = form.text(page, control);
    return cp437ToUtf8(std::string(orEmpty(text), text.length()));
}

// The key's value in the untouched form, as TOML.
std::string defaultValue(const SheetKey& key, const RecordForm& form) {
    const FormPage page = key.control->page;
    switch (key.kind) {
        case SheetValue::Crack:
            return form.isChecked(page, GeneralControl::AlreadyCrackedRadio) ? "\"already\""
                                                                             : "\"included\"";
        case SheetValue::PostNumber:
            if (!form.isChecked(page, key.checkBox))
                return "false";
            break;
        case SheetValue::Support:
            if (form.isChecked(page, UploadControl::PresetsRadio)) {
                std::string names;
                for (const SupportPreset& preset : supportPresets) {
                    if (form.isChecked(page, preset.checkBox))
                        names += (names.empty() ? "" : ", ") + quoted(preset.name);
                }
                return "[" + names + "]";
            }
            break;
        case SheetValue::Flag:
            return form.isChecked(page, key.control->id) ? "true" : "false";
        default:
            break;
    }
    return quoted(textOf(form, page, key.control->id));
}

}  // namespace

std::string starterSheet() {
    RecordForm form;
    std::string sheet =
        "# A release sheet for quenby render (TOML, UTF-8). Every key is optional: a key left "
        "out,\n"
        "# as those behind \"#\" are, leaves its box as the program's form starts. The values "
        "here\n"
        "# are the untouched form's, so this sheet renders what an empty sheet renders.\n";
    const char* table = "";
    for (const SheetKey& key : sheetKeys()) {
        if (std::string(table) != key.table) {
            table = key.table;
            sheet += std::string("\n[") + table + "]\n";
        }
        // A key that ticks a box the untouched form leaves clear is given only to tick it.
        bool leftOut = key.checkBox != 0 && !form.isChecked(key.control->page, key.checkBox);
        sheet += std::string("# ") + key.meaning +
                 ". Default: " + (leftOut ? "left out" : defaultValue(key, form)) + ".\n";
        sheet +=
            std::string(leftOut ? "#" : "") + key.name + " = " + defaultValue(key, form) + "\n";
    }
    return sheet;
}
