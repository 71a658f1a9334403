// quenby templates: the entries of the program's template selector for the current folder.
#include <cstdio>

#include "catalogue/template_catalogue.h"
#include "cli/commands.h"
#include "cli/template_source.h"

TemplatesCommand::TemplatesCommand(CLI::App& parent) {
    app = parent.add_subcommand(
        "templates", "List the templates the program's selector offers in the current folder.");
    app->footer(
        "\"<Default>\" is the default template of the archive (--archive, else Quenby.jam beside\n"
        "the executable, else in ../share/quenby/ from it, else (on Windows) in the folder above\n"
        "it, else in the current folder); every *.ntf file of the current folder, and of the\n"
        "folder of that installed archive, is listed under its name without the extension, in\n"
        "the selector's order.\n"
        "Exit codes: 0 listed, 2 the archive or its default template cannot be loaded.");
    app->add_option("--archive", archive, "Archive holding the default template")
        ->type_name("Quenby.jam");
}

int TemplatesCommand::run() {
    if (!loadDefaultTemplate(archiveLocation(archive))) {
        std::fprintf(stderr, "%s\n", lastErrorMessage().c_str());
        return ExitBadInput;
    }
    if (!findTemplateNames()) {
        std::fprintf(stderr, "%s\n", lastErrorMessage().c_str());
        return ExitBadInput;
    }
    for (const std::string& entry : selectorEntries(installedTemplateNames()))
        std::printf("%s\n", entry.c_str());
    return ExitSuccess;
}
