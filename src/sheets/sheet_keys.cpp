#include "sheets/sheet_keys.h"

#include <algorithm>
#include <vector>

namespace {

// A key that sets a text ticks the last check box its control waits for.
uint32_t tickedBy(const FormControl& control) {
    switch (control.sheetKey.value) {
        case SheetValue::Text:
        case SheetValue::Lines:
        case SheetValue::Digits:
        case SheetValue::PostNumber:
            break;
        default:
            return 0;
    }
    uint32_t last = 0;
    for (uint32_t enabler : control.enabledBy) {
        if (enabler != 0)
            last = enabler;
    }
    const FormControl* box = findFormControl(control.page, last);
    return box != nullptr && box->kind == ControlKind::Check ? last : 0;
}

// The key's meaning, with "{presets}" written out as the support presets' names: "A", "B" and "C".
std::string meaningOf(const FormControl& control) {
    std::string meaning = control.sheetKey.meaning;
    const std::string placeholder = "{presets}";
    const size_t at = meaning.find(placeholder);
    if (at == std::string::npos)
        return meaning;
    std::vector<std::string> names;
    for (const FormControl& box : formTable::controls) {
        if (box.preset != nullptr)
            names.push_back(std::string("\"") + box.preset + "\"");
    }
    std::string list;
    for (size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 < names.size() ? ", " : " and ") + names[i];
    return meaning.replace(at, placeholder.size(), list);
}

}  // namespace

const std::vector<SheetKey>& sheetKeys() {
    static const std::vector<SheetKey> keys = [] {
        std::vector<SheetKey> made;
        for (const FormControl& control : formTable::controls) {
            if (control.sheetKey.name == nullptr)
                continue;
            made.push_back({findFormPage(control.page)->sheetTable, control.sheetKey.name,
                            control.sheetKey.value, &control, tickedBy(control),
                            meaningOf(control)});
        }
        return made;
    }();
    return keys;
}

const std::vector<SupportPreset> supportPresets = [] {
    std::vector<SupportPreset> presets;
    for (const FormControl& control : formTable::controls) {
        if (control.preset != nullptr)
            presets.push_back({control.preset, control.id});
    }
    return presets;
}();

const SheetKey* findKey(const std::string& table, const std::string& name) {
    for (const SheetKey& key : sheetKeys()) {
        if (table == key.table && name == key.name)
            return &key;
    }
    return nullptr;
}

bool isSheetTable(const std::string& name) {
    for (const FormPageInfo& page : formTable::pages) {
        if (name == page.sheetTable)
            return true;
    }
    return false;
}

namespace {

// The fewest letters added, dropped or changed that turn one word into the other.
size_t editDistance(const std::string& from, const std::string& to) {
    std::vector<size_t> previous(to.size() + 1), current(to.size() + 1);
    for (size_t j = 0; j <= to.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= from.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= to.size(); ++j) {
            size_t changed = previous[j - 1] + (from[i - 1] == to[j - 1] ? 0 : 1);
            current[j] = std::min({changed, previous[j] + 1, current[j - 1] + 1});
        }
        previous.swap(current);
    }
    return previous[to.size()];
}

// Whether candidate is nearer to word than the nearest so far (best edits away) and at most two
// edits away; if so, best becomes its distance.
bool isNearer(const std::string& word, const char* candidate, size_t& best) {
    const size_t farthest = 2;
    size_t distance = editDistance(word, candidate);
    if (distance > farthest || distance >= best)
        return false;
    best = distance;
    return true;
}

}  // namespace

const SheetKey* closestKey(const std::string& table, const std::string& name) {
    const SheetKey* closest = nullptr;
    size_t best = SIZE_MAX;
    for (const SheetKey& key : sheetKeys()) {
        if (table == key.table && isNearer(name, key.name, best))
            closest = &key;
    }
    return closest;
}

const char* closestTable(const std::string& name) {
    const char* closest = nullptr;
    size_t best = SIZE_MAX;
    for (const FormPageInfo& page : formTable::pages) {
        if (isNearer(name, page.sheetTable, best))
            closest = page.sheetTable;
    }
    return closest;
}
