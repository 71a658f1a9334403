// The keys of a release sheet, made from the form table: their tables, how each value is read, and
// the form control it sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_table.h"

struct SheetKey {
    const char* table;
    const char* name;
    SheetValue kind;
    const FormControl* control;
    // The check box that a present key ticks, or 0.
    uint32_t checkBox;
    // What the key means, for the starter sheet.
    std::string meaning;
};

// Every key, table by table, in the order of the form's pages.
const std::vector<SheetKey>& sheetKeys();
bool isSheetTable(const std::string& name);

// The support files of "Presets:", by name, with their check boxes, in the form table's order.
struct SupportPreset {
    const char* name;
    uint32_t checkBox;
};
extern const std::vector<SupportPreset> supportPresets;

const SheetKey* findKey(const std::string& table, const std::string& name);
// The key of table whose name is nearest to name, when it is at most two edits away (a letter
// added, dropped or changed); the first in table order of the nearest. Null when none is.
const SheetKey* closestKey(const std::string& table, const std::string& name);
// The table whose name is nearest to name, by the same measure; null when none is.
const char* closestTable(const std::string& name);
