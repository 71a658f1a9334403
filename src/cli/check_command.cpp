// quenby check: finds the faults of templates before any form meets them.
#include <cstdio>

#include "cli/commands.h"
#include "cli/template_source.h"
#include "sheets/template_check.h"

CheckCommand::CheckCommand(CLI::App& parent) {
    app = parent.add_subcommand(
        "check", "Check templates (.ntf) for faults and layout risks, without a form.");
    app->footer(
        "Every fault is printed on standard output as FILE:LINE: message. Directive lines are\n"
        "parsed and range-checked, INSERTLINE and FILLWAIT blocks and insertion targets are\n"
        "checked, then the template is rendered with the untouched form and with every box\n"
        "ticked and every text filled with a long sample. What will not show as drawn is\n"
        "printed as FILE:LINE:COLUMN: warning: message (the column counted from 1): lines cut\n"
        "at 79 characters, tabs, other bytes below 0x20, and fields with no room for any text.\n"
        "The language and every message: docs/templates.md, man 5 quenby-templates.\n"
        "Exit codes: 0 no fault (warnings only, without --strict), 1 faults found, or warnings\n"
        "with --strict, 2 a template could not be loaded.");
    app->add_option("templates", templates, "Template files to check")
        ->type_name("FILE.ntf...")
        ->required();
    app->add_flag("--strict", strict, "Count warnings as faults: exit with 1 when there are any");
}

int CheckCommand::run() {
    bool problemFound = false;
    bool loadFailed = false;
    for (const std::string& path : templates) {
        if (!loadTemplateFromFile(path, path)) {
            std::fprintf(stderr, "%s\n", lastErrorMessage().c_str());
            loadFailed = true;
            continue;
        }
        for (const TemplateProblem& problem : checkTemplate()) {
            if (problem.isWarning) {
                std::printf("%s:%u:%u: warning: %s\n", path.c_str(), problem.line, problem.column,
                            problem.message.c_str());
            } else {
                std::printf("%s:%u: %s\n", path.c_str(), problem.line, problem.message.c_str());
            }
            problemFound = problemFound || !problem.isWarning || strict;
        }
    }
    std::fflush(stdout);
    if (loadFailed)
        return ExitBadInput;
    return problemFound ? ExitFailed : ExitSuccess;
}
