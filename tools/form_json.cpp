// quenby_form json: the form as JSON, from the form table with the labels, captions and places
// of quenby.rc.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "quenby_form.h"
#include "sheets/sheet_keys.h"

namespace {

// One CONTROL statement of a dialog: its text, id word and position.
struct RcControl {
    std::string text, id;
    int x = 0, y = 0, width = 0, height = 0;
    const FormControl* control = nullptr;
};

// Where a control or label stands in its dialog: x, y, width and height in dialog units.
std::string placeJson(const RcControl& rc) {
    return "[" + std::to_string(rc.x) + ", " + std::to_string(rc.y) + ", " +
           std::to_string(rc.width) + ", " + std::to_string(rc.height) + "]";
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// A field that is a whole number of dialog units.
bool readNumber(const std::string& field, int& number) {
    if (field.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(field.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < -32768 || value > 32767)
        return false;
    number = static_cast<int>(value);
    return true;
}

// The statement after "CONTROL": a quoted text (or a word), then the id, class, style, x, y, w, h.
bool parseControl(const std::string& statement, RcControl& out) {
    size_t at = 0;
    if (!statement.empty() && statement[0] == '"') {
        for (at = 1; at < statement.size() && statement[at] != '"'; ++at)
            out.text += statement[at];
        if (at == statement.size())
            return false;
        ++at;
    }
    std::vector<std::string> fields;
    std::stringstream rest(statement.substr(at));
    for (std::string field; std::getline(rest, field, ',');)
        fields.push_back(trimmed(field));
    if (fields.size() != 8 || fields[1].empty())
        return false;
    out.id = fields[1];
    return readNumber(fields[4], out.x) && readNumber(fields[5], out.y) &&
           readNumber(fields[6], out.width) && readNumber(fields[7], out.height);
}

// The page's CONTROL statements in the order the script lists them, which is the tab order.
// False after printing why not.
bool readDialog(const std::string& rc, const char* rcPath, const FormPageInfo& page,
                std::vector<RcControl>& out) {
    size_t start = rc.find("\n" + pageMacro(page) + " DIALOGEX");
    size_t begin = rc.find("\nBEGIN", start);
    size_t end = rc.find("\nEND", begin);
    if (start == std::string::npos || begin == std::string::npos || end == std::string::npos) {
        std::fprintf(stderr, "quenby_form: %s has no readable %s\n", rcPath,
                     pageMacro(page).c_str());
        return false;
    }
    // The line of the script after BEGIN, counted from 1.
    size_t lineNumber = 2 + static_cast<size_t>(std::count(rc.begin(), rc.begin() + begin, '\n'));
    std::stringstream lines(rc.substr(begin + 6, end - begin - 6));
    std::vector<std::pair<size_t, std::string>> statements;
    for (std::string line; std::getline(lines, line); ++lineNumber) {
        line = trimmed(line);
        if (line.compare(0, 8, "CONTROL ") == 0)
            statements.push_back({lineNumber, line.substr(8)});
        else if (!line.empty() && !statements.empty())
            statements.back().second += " " + line;
    }
    for (const auto& statement : statements) {
        RcControl control;
        if (!parseControl(statement.second, control)) {
            std::fprintf(stderr,
                         "quenby_form: %s:%zu: expected CONTROL \"text\", id, class, style, x, y, "
                         "width, height (the last four whole numbers)\n",
                         rcPath, statement.first);
            return false;
        }
        if (control.id != "-1") {
            for (const FormControl& row : formTable::controls) {
                if (row.page == page.page && controlMacro(row) == control.id)
                    control.control = &row;
            }
            if (control.control == nullptr) {
                std::fprintf(stderr, "quenby_form: %s:%zu: %s is not in the form table\n", rcPath,
                             statement.first, control.id.c_str());
                return false;
            }
        }
        out.push_back(control);
    }
    return true;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Edit:
            return "edit";
        case ControlKind::Digits:
            return "digits";
        case ControlKind::MultiLine:
            return "multiline";
        case ControlKind::Check:
            return "check";
        case ControlKind::Radio:
            return "radio";
        case ControlKind::List:
            return "list";
        case ControlKind::Combo:
            return "combo";
    }
    return "";
}

// The texts that quenby.rc gives one control: the left column's label of the row it starts, the
// short label just before it, the text under it.
struct Texts {
    std::string group, label, hint;
    std::string groupAt, labelAt, hintAt;
};

std::string controlJson(const RcControl& rc, const Texts& texts) {
    const FormControl& c = *rc.control;
    const bool button = c.kind == ControlKind::Check || c.kind == ControlKind::Radio;
    std::vector<std::string> fields = {
        "\"id\": " + std::to_string(c.id),
        "\"name\": " + jsonString(c.name),
        "\"kind\": " + jsonString(kindName(c.kind)),
        "\"at\": " + placeJson(rc),
    };
    if (!texts.group.empty()) {
        fields.push_back("\"group\": " + jsonString(texts.group));
        fields.push_back("\"groupAt\": " + texts.groupAt);
    }
    if (!texts.label.empty()) {
        fields.push_back("\"label\": " + jsonString(texts.label));
        fields.push_back("\"labelAt\": " + texts.labelAt);
    }
    if (button)
        fields.push_back("\"caption\": " + jsonString(rc.text));
    if (!texts.hint.empty()) {
        fields.push_back("\"hint\": " + jsonString(texts.hint));
        fields.push_back("\"hintAt\": " + texts.hintAt);
    }
    if (button)
        fields.push_back(std::string("\"checked\": ") + (c.checked ? "true" : "false"));
    else
        fields.push_back("\"text\": " + jsonString(c.text != nullptr ? c.text : ""));
    if (c.choices != nullptr) {
        std::string list;
        for (const char* const* item = c.choices; *item != nullptr; ++item)
            list += (list.empty() ? "" : ", ") + jsonString(*item);
        fields.push_back("\"choices\": [" + list + "]");
    }
    if (c.sorted)
        fields.push_back("\"sorted\": true");
    if (c.lowercase)
        fields.push_back("\"lowercase\": true");
    if (c.radioGroup != nullptr)
        fields.push_back("\"radioGroup\": " + jsonString(c.radioGroup));
    std::string enablers;
    for (uint32_t id : c.enabledBy) {
        if (id != 0)
            enablers += (enablers.empty() ? "" : ", ") + std::to_string(id);
    }
    fields.push_back("\"enabledBy\": [" + enablers + "]");
    if (c.sheetKey.name != nullptr) {
        fields.push_back(
            "\"sheetKey\": " +
            jsonString(std::string(findFormPage(c.page)->sheetTable) + "." + c.sheetKey.name));
        for (const SheetKey& key : sheetKeys()) {
            if (key.control == &c)
                fields.push_back("\"meaning\": " + jsonString(key.meaning));
        }
    }
    std::string json = "        {\n";
    for (size_t i = 0; i < fields.size(); ++i)
        json += "          " + fields[i] + (i + 1 < fields.size() ? ",\n" : "\n");
    return json + "        }";
}

std::string pageJson(const FormPageInfo& page, const std::vector<RcControl>& dialog) {
    // The left column's labels stand furthest left.
    int leftColumn = dialog.empty() ? 0 : dialog[0].x;
    for (const RcControl& item : dialog)
        leftColumn = item.x < leftColumn ? item.x : leftColumn;
    std::vector<std::string> controls;
    Texts pending;
    for (size_t i = 0; i < dialog.size(); ++i) {
        const RcControl& item = dialog[i];
        if (item.control == nullptr) {
            if (item.x == leftColumn && !item.text.empty()) {
                pending.group = item.text;
                pending.groupAt = placeJson(item);
            } else if (!item.text.empty()) {
                pending.label = item.text;
                pending.labelAt = placeJson(item);
            }
            continue;
        }
        // A label right after the control and below it is its hint.
        if (i + 1 < dialog.size() && dialog[i + 1].control == nullptr &&
            dialog[i + 1].x != leftColumn && dialog[i + 1].y >= item.y + item.height) {
            pending.hint = dialog[++i].text;
            pending.hintAt = placeJson(dialog[i]);
        }
        controls.push_back(controlJson(item, pending));
        pending = Texts();
    }
    std::string json = "    {\n      \"id\": " + std::to_string(page.page) +
                       ", \"name\": " + jsonString(page.name) +
                       ", \"title\": " + jsonString(page.title) + ",\n      \"controls\": [\n";
    for (size_t i = 0; i < controls.size(); ++i)
        json += controls[i] + (i + 1 < controls.size() ? ",\n" : "\n");
    return json + "      ]\n    }";
}

}  // namespace

int printJson(const char* rcPath) {
    std::ifstream in(rcPath, std::ios::binary);
    std::string rc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        std::fprintf(stderr, "quenby_form: cannot read %s\n", rcPath);
        return 2;
    }
    std::string json = "{\n  \"pages\": [\n";
    size_t listed = 0;
    const size_t pageCount = sizeof formTable::pages / sizeof formTable::pages[0];
    for (size_t p = 0; p < pageCount; ++p) {
        const FormPageInfo& page = formTable::pages[p];
        std::vector<RcControl> dialog;
        if (!readDialog(rc, rcPath, page, dialog))
            return 2;
        for (const RcControl& item : dialog)
            listed += item.control != nullptr ? 1 : 0;
        json += pageJson(page, dialog) + (p + 1 < pageCount ? ",\n" : "\n");
    }
    if (listed != formControlCount) {
        std::fprintf(stderr, "quenby_form: %s lists %zu of the table's %zu controls\n", rcPath,
                     listed, formControlCount);
        return 2;
    }
    std::fputs((json + "  ]\n}\n").c_str(), stdout);
    return 0;
}
