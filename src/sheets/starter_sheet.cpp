#include <string>

#include "sheets/cp437.h"
#include "sheets/release_sheet.h"
#include "sheets/sheet_keys.h"
#include "sheets/sheet_text.h"

namespace {

std::string textOf(const RecordForm& form, FormPage page, uint32_t control) {
    String text = form.text(page, control);
    return cp437ToUtf8(std::string(orEmpty(text), text.length()));
}

// The key's value in the form, as TOML.
std::string valueOf(const SheetKey& key, const RecordForm& form) {
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
    std::string text = textOf(form, page, key.control->id);
    // The reader drops one final line break of a multi-line text, so a text that ends in one
    // gets another.
    if (key.kind == SheetValue::Lines && text.size() >= 2 &&
        text.compare(text.size() - 2, 2, "\r\n") == 0)
        text += "\n";
    return quoted(text);
}

// Every key of the form, each after its meaning and its value in the untouched form. A key whose
// presence alone ticks a box is written behind "#" when the form leaves that box clear.
std::string sheetOf(const RecordForm& form, const std::string& heading) {
    const RecordForm untouched;
    std::string sheet = heading;
    const char* table = "";
    for (const SheetKey& key : sheetKeys()) {
        if (std::string(table) != key.table) {
            table = key.table;
            sheet += std::string("\n[") + table + "]\n";
        }
        const FormPage page = key.control->page;
        bool untouchedLeftOut = key.checkBox != 0 && !untouched.isChecked(page, key.checkBox);
        bool leftOut = key.checkBox != 0 && !form.isChecked(page, key.checkBox);
        sheet += std::string("# ") + key.meaning +
                 ". Default: " + (untouchedLeftOut ? "left out" : valueOf(key, untouched)) + ".\n";
        sheet += std::string(leftOut ? "#" : "") + key.name + " = " + valueOf(key, form) + "\n";
    }
    return sheet;
}

}  // namespace

std::string starterSheet() {
    return sheetOf(RecordForm(),
                   "# A release sheet for quenby render (TOML, UTF-8). Every key is optional: a "
                   "key left out,\n"
                   "# as those behind \"#\" are, leaves its box as the program's form starts. The "
                   "values here\n"
                   "# are the untouched form's, so this sheet renders what an empty sheet "
                   "renders.\n");
}

std::string releaseSheet(const RecordForm& form) {
    return sheetOf(form,
                   "# A release sheet for quenby render (TOML, UTF-8), written from Quenby's form. "
                   "A key behind\n"
                   "# \"#\" belongs to a box left unticked: it is kept for reading and sets "
                   "nothing.\n");
}
