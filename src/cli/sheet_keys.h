// The keys of a release sheet: their tables, how each value is read, and the form control it sets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/form_controls.h"

// How a key's value is read and what it sets.
enum class ValueKind {
    Text,           // single-line text
    MultiLineText,  // multi-line text
    Newsgroups,     // multi-line text, lower-cased as the newsgroups box does
    Digits,         // 0-9 only: a string or a non-negative integer
    Unit,           // "Kb" or "Mb"
    Crack,          // "already" or "included"
    PostNumber,     // digits, or false for no post number
    Support,        // an array of preset names, or a custom text
    Flag,           // a boolean
};

struct SheetKey {
    const char* table;
    const char* name;
    ValueKind kind;
    FormPage page;
    uint32_t control;
    // The check box that a present key ticks, or 0.
    uint32_t checkBox;
    // What the key means, for the starter sheet.
    const char* meaning;
};

constexpr size_t sheetKeyCount = 22;
// Every key, table by table, in the order of the form's pages.
extern const SheetKey sheetKeys[sheetKeyCount];
constexpr size_t sheetTableCount = 3;
extern const char* const sheetTables[sheetTableCount];

// The support files of "Presets:", by name, with their check boxes.
struct SupportPreset {
    const char* name;
    uint32_t checkBox;
};
constexpr size_t supportPresetCount = 3;
extern const SupportPreset supportPresets[supportPresetCount];

const SheetKey* findKey(const std::string& table, const std::string& name);
bool isSheetTable(const std::string& name);
// The key of table whose name is nearest to name, when it is at most two edits away (a letter
// added, dropped or changed); the first in table order of the nearest. Null when none is.
const SheetKey* closestKey(const std::string& table, const std::string& name);
// The table whose name is nearest to name, by the same measure; null when none is.
const char* closestTable(const std::string& name);
