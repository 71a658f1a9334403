// quenby_form state: each control of the form as the test driver's form-state prints the dialogs.
#include <cstdio>
#include <string>

#include "cli/process_io.h"
#include "engine/record_form.h"
#include "quenby_form.h"
#include "sheets/release_sheet.h"

int printState(const char* sheetPath) {
    RecordForm form;
    if (sheetPath != nullptr) {
        std::FILE* file = std::string(sheetPath) == "-" ? stdin : std::fopen(sheetPath, "rb");
        std::string sheet;
        if (file == nullptr || !readStream(file, sheet)) {
            std::fprintf(stderr, "quenby_form: cannot read %s\n", sheetPath);
            return 2;
        }
        try {
            readReleaseSheet(sheet, sheetPath, form);
        } catch (const SheetError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 2;
        }
    }
    for (const FormControl& c : formTable::controls) {
        const bool enabled =
            isEnabled(c, [&](uint32_t box) { return form.isChecked(c.page, box); });
        const bool button = c.kind == ControlKind::Check || c.kind == ControlKind::Radio;
        String text = form.text(c.page, c.id);
        std::printf("%s %s %s %s\n", findFormPage(c.page)->name, c.name,
                    enabled ? "enabled" : "disabled",
                    button ? (form.isChecked(c.page, c.id) ? "checked" : "unchecked")
                           : ("\"" + std::string(orEmpty(text), text.length()) + "\"").c_str());
    }
    return 0;
}
