#include "sheets/template_check.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/current_template.h"
#include "engine/block_directives.h"
#include "engine/directive_parser.h"
#include "engine/field_directives.h"
#include "engine/form_table.h"
#include "engine/insertion.h"
#include "engine/record_form.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"
#include "sheets/generation.h"
#include "sheets/template_selector.h"

// The texts the second rendering fills every single-line box, digits box and multi-line box with.
const char* const longSampleText = "Long sample text filling a form box wide";
const char* const longSampleDigits = "123456";
const char* const longSampleLines =
    "Long sample text filling a form box wide\r\n"
    "Second line of the long sample, as wide\r\n"
    "Third line of the sample text, also wide";

namespace {

enum class LineKind { Ordinary, Directive, BlockLine };

struct FieldDirective {
    uint32_t line;
    DirectiveKind kind;
    int32_t governed;
    uint32_t target;
    int32_t column;
    // Where the column stands in the directive line, from 1.
    uint32_t columnAt;
};

// Every centred text, however short, covers the middle column.
const uint32_t middleColumn = (nfoLineWidth - 1) / 2;

std::string oneLine(std::string message) {
    std::string::size_type at;
    while ((at = message.find("\r\n")) != std::string::npos)
        message.replace(at, 2, " ");
    return message;
}

std::string lastError() {
    return oneLine(lastErrorMessage());
}

std::string endOfFile() {
    return orEmpty(describeError(UnexpectedEndOfFile));
}

TemplateProblem warning(uint32_t line, uint32_t column, const std::string& message) {
    return {line, message, column, true};
}

// The column, from 1, of a directive line's third parameter: just after its third space.
uint32_t thirdParameterAt(const char* line) {
    uint32_t at = 0;
    for (uint32_t spaces = 0; line[at] != 0 && spaces < 3; ++at) {
        if (line[at] == ' ')
            ++spaces;
    }
    return at + 1;
}

// What of one template line will not show as drawn: its first tab, its first other control byte
// (a CR that ends no line among them) and anything past the 79th character, which the engine cuts.
// chars holds the line without its line end.
void warnOfLine(std::vector<TemplateProblem>& problems, uint32_t line, const char* chars,
                uint32_t length) {
    bool tab = false, control = false;
    for (uint32_t at = 0; at < length && at < nfoLineWidth; ++at) {
        const unsigned char byte = static_cast<unsigned char>(chars[at]);
        if (byte == '\t' && !tab) {
            tab = true;
            problems.push_back(
                warning(line, at + 1, "tab: every viewer moves it to tab stops of its own"));
        } else if (byte < 0x20 && byte != '\t' && !control) {
            control = true;
            char message[80];
            std::snprintf(message, sizeof message,
                          "control byte 0x%02X: viewers take it as a control, not a glyph", byte);
            problems.push_back(warning(line, at + 1, message));
        }
    }
    if (length > nfoLineWidth) {
        problems.push_back(warning(
            line, nfoLineWidth + 1,
            "line is " + std::to_string(length) + " characters long: the engine cuts it to 79"));
    }
}

// The lines that may reach the output (those that do not begin with "#") are looked at whole,
// numbered as the engine numbers them: LF and NUL end a line, and a CR just before the end is
// dropped. A NUL is no line end to a viewer or an editor, wherever it stands.
void layoutWarnings(std::vector<TemplateProblem>& problems) {
    const char* const text = CurrentTemplate.text;
    const uint32_t size = CurrentTemplate.size;
    uint32_t line = 0;
    for (uint32_t begin = 0; text != nullptr && begin < size;) {
        uint32_t end = begin;
        while (end < size && text[end] != '\n' && text[end] != 0)
            ++end;
        ++line;
        uint32_t length = end - begin;
        if (end < size && text[end] == 0)
            problems.push_back(
                warning(line, length + 1, "NUL byte: the engine ends the line here"));
        if (length != 0 && text[end - 1] == '\r')
            --length;
        if (length == 0 || text[begin] != '#')
            warnOfLine(problems, line, text + begin, length);
        if (end == size)
            break;
        begin = end + 1;
    }
}

// The form with every check box unchecked: a gate that is closed then can drop its lines.
RecordForm closedForm() {
    RecordForm form;
    for (const FormControl& control : formTable::controls) {
        if (control.kind == ControlKind::Check)
            form.setChecked(control.page, control.id, false);
    }
    return form;
}

// Every check box ticked and every box that takes typing filled with a long sample of its kind;
// the fixed list and the radio buttons stay as the form starts.
RecordForm filledForm() {
    RecordForm form;
    for (const FormControl& control : formTable::controls) {
        switch (control.kind) {
            case ControlKind::Edit:
            case ControlKind::Combo:
                form.setText(control.page, control.id, longSampleText);
                break;
            case ControlKind::Digits:
                form.setText(control.page, control.id, longSampleDigits);
                break;
            case ControlKind::MultiLine:
                form.setText(control.page, control.id, longSampleLines);
                break;
            case ControlKind::Check:
                form.setChecked(control.page, control.id, true);
                break;
            case ControlKind::Radio:
            case ControlKind::List:
                break;
        }
    }
    return form;
}

class StaticCheck {
public:
    std::vector<TemplateProblem> run() {
        const RecordForm form;
        kinds.assign(1, LineKind::Ordinary);  // index 0 stands for no line
        texts.assign(1, std::string());
        templateReader.start(CurrentTemplate.text, CurrentTemplate.size);
        while (templateReader.nextLine()) {
            const uint32_t line = templateReader.lineNumber;
            kinds.push_back(LineKind::Ordinary);
            texts.emplace_back(templateReader.line, templateReader.lineLength);
            if (templateReader.line[0] == '#')
                directiveLine(form, line);
        }
        const uint32_t lastLine = static_cast<uint32_t>(kinds.size() - 1);
        for (const auto& fill : fillWaits) {
            if (fill.first + fill.second > lastLine)
                report(fill.first, endOfFile());
        }
        checkTargets(lastLine);
        return problems;
    }

private:
    void directiveLine(const RecordForm& form, uint32_t line) {
        kinds[line] = LineKind::Directive;
        Directive directive;
        if (!parseDirectiveLine(templateReader.line, directive)) {
            report(line, lastError());
            return;
        }
        const int32_t* p = directive.parameters;
        if (directive.kind == INSERTLINE) {
            // The engine takes the block itself, with its own messages.
            bool taken = handleBlockDirective(form, INSERTLINE, p[0]);
            for (uint32_t block = line + 1; block <= templateReader.lineNumber; ++block) {
                kinds.push_back(LineKind::BlockLine);
                texts.emplace_back();
            }
            if (!taken) {
                // A block cut short by the end is the directive's fault; a directive inside the
                // block is reported on its own line.
                bool cutShort = LastError.code == UnexpectedEndOfFile;
                report(cutShort ? line : templateReader.lineNumber, lastError());
            }
        } else if (directive.kind == FILLWAIT) {
            fillWaits.push_back({line, static_cast<uint32_t>(p[0])});
        } else if (directive.parameterCount == 3) {
            fields.push_back({line, directive.kind, p[0], line + 1 + static_cast<uint32_t>(p[1]),
                              p[2], thirdParameterAt(templateReader.line)});
        }
    }

    void checkTargets(uint32_t lastLine) {
        const RecordForm closed = closedForm();
        for (size_t i = 0; i < fields.size(); ++i) {
            const FieldDirective& field = fields[i];
            const bool gated = !fieldGateOpen(closed, field.kind);
            if (field.target > lastLine ||
                (gated && field.line + static_cast<uint32_t>(field.governed) > lastLine)) {
                report(field.line, endOfFile());
            } else if (kinds[field.target] != LineKind::Ordinary) {
                report(field.line, removedTargetMessage);
            } else {
                auto shared = [&](const FieldDirective& other) {
                    return other.target == field.target;
                };
                if (std::any_of(fields.begin(), fields.begin() + i, shared))
                    report(field.line, sharedTargetMessage);
                else
                    checkRoom(field);
            }
        }
    }

    // A field whose first column on its target line already holds art has no room for any text.
    void checkRoom(const FieldDirective& field) {
        const std::string& target = texts[field.target];
        const uint32_t column =
            field.column < 0 ? middleColumn : static_cast<uint32_t>(field.column);
        if (column < target.size() && target[column] != ' ') {
            problems.push_back(warning(field.line, field.columnAt,
                                       orEmpty(directiveKeywords[field.kind]) +
                                           std::string(" has no room for any text: line ") +
                                           std::to_string(field.target) +
                                           " is not blank at column " + std::to_string(column)));
        }
    }

    void report(uint32_t line, const std::string& message) { problems.push_back({line, message}); }

    std::vector<LineKind> kinds;
    // The lines as the engine reads them; empty for the lines of INSERTLINE blocks.
    std::vector<std::string> texts;
    std::vector<std::pair<uint32_t, uint32_t>> fillWaits;
    std::vector<FieldDirective> fields;
    std::vector<TemplateProblem> problems;
};

}  // namespace

std::vector<TemplateProblem> checkTemplate() {
    std::vector<TemplateProblem> problems = StaticCheck().run();
    layoutWarnings(problems);

    const struct {
        RecordForm form;
        const char* name;
    } renderings[] = {{RecordForm(), "untouched form"}, {filledForm(), "every box ticked"}};
    for (const auto& rendering : renderings) {
        Generation generation = generate(rendering.form);
        if (generation.succeeded)
            continue;
        std::string message = oneLine(generation.message);
        bool known = std::any_of(problems.begin(), problems.end(),
                                 [&](const TemplateProblem& p) { return p.message == message; });
        if (!known) {
            problems.push_back({generation.line, message + " (" + rendering.name + ")"});
        }
    }
    std::stable_sort(problems.begin(), problems.end(),
                     [](const TemplateProblem& a, const TemplateProblem& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    return problems;
}
