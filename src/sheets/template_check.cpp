#include "sheets/template_check.h"

#include <algorithm>

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
};

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
        templateReader.start(CurrentTemplate.text, CurrentTemplate.size);
        while (templateReader.nextLine()) {
            const uint32_t line = templateReader.lineNumber;
            kinds.push_back(LineKind::Ordinary);
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
            fields.push_back({line, directive.kind, p[0], line + 1 + static_cast<uint32_t>(p[1])});
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
                for (size_t j = 0; j < i; ++j) {
                    if (fields[j].target == field.target) {
                        report(field.line, sharedTargetMessage);
                        break;
                    }
                }
            }
        }
    }

    void report(uint32_t line, const std::string& message) { problems.push_back({line, message}); }

    std::vector<LineKind> kinds;
    std::vector<std::pair<uint32_t, uint32_t>> fillWaits;
    std::vector<FieldDirective> fields;
    std::vector<TemplateProblem> problems;
};

}  // namespace

std::vector<TemplateProblem> checkTemplate() {
    std::vector<TemplateProblem> problems = StaticCheck().run();

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
    std::stable_sort(
        problems.begin(), problems.end(),
        [](const TemplateProblem& a, const TemplateProblem& b) { return a.line < b.line; });
    return problems;
}
