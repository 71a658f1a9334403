// quenby check: finds the faults of templates before any form meets them.
#include <cstdio>

#include "cli/commands.h"
#include "cli/template_source.h"
#include "sheets/template_check.h"

CheckCommand::CheckCommand(CLI::App& parent) {
    app = parent.add_subcommand("check", "Check templates (.ntf) for faults, without a form.");
    app->footer(
        "Every problem is printed on standard output as FILE:LINE: message. Directive lines are\n"
        "parsed and range-checked, INSERTLINE and FILLWAIT blocks and insertion targets are\n"
        "checked, then the template is rendered with the untouched form and with every box\n"
        "ticked and every text filled with a long sample.\n"
        "Exit codes: 0 no problem, 1 problems found, 2 a template could not be loaded.");
    app->add_option("templates", templates, "Template files to check")
        ->type_name("FILE.ntf...")
        ->required();
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
            std::printf("%s:%u: %s\n", path.c_str(), problem.line, problem.message.c_str());
            problemFound = true;
        }
    }
    std::fflush(stdout);
    if (loadFailed)
        return ExitBadInput;
    return problemFound ? ExitFailed : ExitSuccess;
}
