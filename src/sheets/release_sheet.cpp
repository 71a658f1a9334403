#include "sheets/release_sheet.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "engine/form_table.h"
#include "sheets/sheet_keys.h"
#include "sheets/sheet_text.h"
#include "sheets/toml_parser.h"

namespace {

using namespace GeneralControl;
namespace Upload = UploadControl;

// "an integer", "a string": the value's type as the messages name it.
std::string typeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::string:
            return "a string";
        case toml::node_type::integer:
            return "an integer";
        case toml::node_type::floating_point:
            return "a float";
        case toml::node_type::boolean:
            return node.as_boolean()->get() ? "true" : "false";
        case toml::node_type::date:
            return "a date";
        case toml::node_type::time:
            return "a time";
        case toml::node_type::date_time:
            return "a date-time";
        case toml::node_type::array:
            return "an array";
        case toml::node_type::table:
            return "a table";
        default:
            return "nothing";
    }
}

[[noreturn]] void wrongType(const std::string& expected, const toml::node& node) {
    throw ValueProblem("expected " + expected + ", found " + typeName(node));
}

const char* const textExpected = "text (a string)";
const char* const digitsExpected = "digits (a string or a non-negative integer)";

const std::string& stringValue(const toml::node& node) {
    if (!node.is_string())
        wrongType(textExpected, node);
    return node.as_string()->get();
}

std::string textValue(const toml::node& node, TextLines lines) {
    return formText(stringValue(node), lines);
}

std::string digitsValue(const toml::node& node) {
    if (node.is_integer()) {
        int64_t number = node.as_integer()->get();
        if (number < 0)
            throw ValueProblem("only the digits 0-9 are allowed, found " + std::to_string(number));
        return std::to_string(number);
    }
    if (!node.is_string())
        wrongType(digitsExpected, node);
    const std::string& text = node.as_string()->get();
    checkDigits(text);
    return text;
}

// The value, which must be one of the words (exactly); returns its position among them.
size_t choice(const toml::node& node, const std::vector<const char*>& words) {
    std::string expected;
    for (size_t i = 0; i < words.size(); ++i)
        expected += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + quoted(words[i]);
    if (!node.is_string())
        wrongType(expected, node);
    const std::string& word = node.as_string()->get();
    for (size_t i = 0; i < words.size(); ++i) {
        if (word == words[i])
            return i;
    }
    throw ValueProblem("expected " + expected + ", found " + quoted(word));
}

std::vector<const char*> choicesOf(const FormControl& control) {
    std::vector<const char*> words;
    for (const char* const* item = control.choices; *item != nullptr; ++item)
        words.push_back(*item);
    return words;
}

bool sameWordIgnoringCase(const std::string& word, const char* name) {
    return lowerCaseAscii(word) == lowerCaseAscii(name);
}

void setText(RecordForm& form, FormPage page, uint32_t control, const std::string& text) {
    if (!form.setText(page, control, text.c_str())) {
        throw std::logic_error("the form has no text control " + std::to_string(control));
    }
}

void setChecked(RecordForm& form, FormPage page, uint32_t control, bool checked) {
    if (!form.setChecked(page, control, checked)) {
        throw std::logic_error("the form has no check box " + std::to_string(control));
    }
}

// "Presets:" with the named boxes ticked, or "Custom text:" with the text.
void applySupport(const toml::node& node, RecordForm& form) {
    const char* const expected =
        "an array of \"SFV\", \"CUE\" and \"Manual\", or a custom text (a string)";
    if (node.is_string()) {
        setText(form, UploadPage, Upload::CustomSupportEdit,
                formText(node.as_string()->get(), TextLines::Single));
        setChecked(form, UploadPage, Upload::CustomTextRadio, true);
        return;
    }
    if (!node.is_array())
        wrongType(expected, node);
    std::vector<bool> ticked(supportPresets.size());
    for (const toml::node& item : *node.as_array()) {
        const char* const itemExpected = "\"SFV\", \"CUE\" or \"Manual\" in the array";
        if (!item.is_string())
            wrongType(itemExpected, item);
        const std::string& word = item.as_string()->get();
        bool known = false;
        for (size_t i = 0; i < supportPresets.size(); ++i) {
            if (sameWordIgnoringCase(word, supportPresets[i].name))
                ticked[i] = known = true;
        }
        if (!known)
            throw ValueProblem(std::string("expected ") + itemExpected + ", found " + quoted(word));
    }
    setChecked(form, UploadPage, Upload::PresetsRadio, true);
    for (size_t i = 0; i < supportPresets.size(); ++i) {
        setChecked(form, UploadPage, supportPresets[i].checkBox, ticked[i]);
    }
}

void applyKey(const SheetKey& key, const toml::node& node, RecordForm& form) {
    const FormControl& control = *key.control;
    const FormPage page = control.page;
    switch (key.kind) {
        case SheetValue::None:
            break;
        case SheetValue::Text:
            setText(form, page, control.id, textValue(node, TextLines::Single));
            break;
        case SheetValue::Lines:
            setText(form, page, control.id,
                    boxText(control, stringValue(node), FinalBreak::Dropped));
            break;
        case SheetValue::Digits:
            setText(form, page, control.id, digitsValue(node));
            break;
        case SheetValue::Choice:
            setText(form, page, control.id, choicesOf(control)[choice(node, choicesOf(control))]);
            break;
        case SheetValue::Crack:
            setChecked(form, GeneralPage,
                       choice(node, {"already", "included"}) == 0 ? AlreadyCrackedRadio
                                                                  : CrackIncludedRadio,
                       true);
            break;
        case SheetValue::PostNumber:
            if (node.is_boolean()) {
                if (node.as_boolean()->get()) {
                    wrongType(std::string(digitsExpected) + " or false", node);
                }
                setChecked(form, page, key.checkBox, false);
                return;
            }
            if (!node.is_string() && !node.is_integer()) {
                wrongType(std::string(digitsExpected) + " or false", node);
            }
            setText(form, page, control.id, digitsValue(node));
            break;
        case SheetValue::Support:
            applySupport(node, form);
            break;
        case SheetValue::Flag:
            if (!node.is_boolean())
                wrongType("true or false", node);
            setChecked(form, page, control.id, node.as_boolean()->get());
            break;
    }
    if (key.checkBox != 0)
        setChecked(form, page, key.checkBox, true);
}

// "unknown key", or with the nearest known name "unknown key titel; did you mean title?".
std::string unknown(const char* what, const std::string& name, const char* closest) {
    std::string message = std::string("unknown ") + what;
    if (closest != nullptr)
        message += " " + name + "; did you mean " + closest + "?";
    return message;
}

class SheetReader {
public:
    SheetReader(const std::string& sheetName, RecordForm& form)
        : sheetName(sheetName), form(form) {}

    void read(const toml::table& sheet) {
        for (auto&& [tableKey, tableNode] : sheet) {
            std::string tableName(tableKey.str());
            if (!isSheetTable(tableName)) {
                problem(tableNode, tableName,
                        tableNode.is_table() ? unknown("table", tableName, closestTable(tableName))
                                             : "unknown key");
                continue;
            }
            if (!tableNode.is_table()) {
                problem(tableNode, tableName, "expected a table, found " + typeName(tableNode));
                continue;
            }
            for (auto&& [key, node] : *tableNode.as_table()) {
                std::string name(key.str());
                std::string fullName = tableName + "." + name;
                const SheetKey* sheetKey = findKey(tableName, name);
                if (sheetKey == nullptr) {
                    const SheetKey* closest = closestKey(tableName, name);
                    problem(node, fullName,
                            unknown("key", name, closest == nullptr ? nullptr : closest->name));
                    continue;
                }
                try {
                    applyKey(*sheetKey, node, form);
                } catch (const ValueProblem& error) {
                    problem(node, fullName, error.what());
                }
            }
        }
    }

    // The problems in the order of their lines in the sheet.
    std::vector<std::string> problems() {
        std::stable_sort(found.begin(), found.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> messages;
        for (const auto& problem : found)
            messages.push_back(problem.second);
        return messages;
    }

private:
    void problem(const toml::node& node, const std::string& key, const std::string& what) {
        uint32_t line = node.source().begin.line;
        std::string where = sheetName;
        if (line != 0)
            where += ":" + std::to_string(line);
        found.emplace_back(line, where + ": " + key + ": " + what);
    }

    std::vector<std::pair<uint32_t, std::string>> found;

    const std::string& sheetName;
    RecordForm& form;
};

}  // namespace

SheetError::SheetError(std::vector<std::string> problems)
    : std::runtime_error(problems.empty() ? std::string() : problems.front()),
      list(std::move(problems)) {}

void readReleaseSheet(std::string text, const std::string& sheetName, RecordForm& form) {
    toml::table sheet;
    try {
        sheet = toml::parse(text, sheetName);
        std::string().swap(text);
    } catch (const toml::parse_error& error) {
        const toml::source_position& at = error.source().begin;
        throw SheetError({sheetName + ":" + std::to_string(at.line) + ":" +
                          std::to_string(at.column) + ": " + std::string(error.description())});
    }
    SheetReader reader(sheetName, form);
    reader.read(sheet);
    std::vector<std::string> problems = reader.problems();
    if (!problems.empty())
        throw SheetError(problems);
}
