// quenby: the command-line companion of Quenby. Renders NFO files from release sheets, checks
// templates, lists the templates the program would offer, packs or unpacks .jam archives, and
// writes or checks the SFV of a release.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <new>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "catalogue/template_catalogue.h"
#include "cli/commands.h"
#include "cli/process_io.h"
#include "cli/release_command.h"
#include "cli/template_source.h"
#include "foundation/errors.h"
#include "foundation/framework.h"
#include "version.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
    // A long NFO's texts are large blocks, each freed once its work is done: a fixed threshold
    // keeps them mapped apart, so that each goes back to the system when freed. (By default the
    // threshold rises to the size of the first one freed, and the later ones stay in the heap.)
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
    useBinaryStandardStreams();
    CLI::App app("Renders NFO files from release sheets (TOML) and Quenby templates (.ntf).",
                 "quenby");
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", QUENBY_VERSION_LINE);
    app.require_subcommand(1);
    RenderCommand render(app);
    CheckCommand check(app);
    TemplatesCommand templates(app);
    SheetCommand sheet(app);
    SfvCommand sfv(app);
    ReleaseCommand release(app);
    JamCommand jam(app);

    // The arguments as the tool reads them (UTF-8 on Windows), in the form CLI11 takes.
    std::vector<std::string> arguments = programArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(&argument[0]);
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? ExitSuccess : ExitBadInput;
    }

    if (!frameworkStartup(0))
        return ExitBadInput;
    int status = ExitBadInput;
    try {
        if (render.chosen()) {
            status = render.run();
        } else if (check.chosen()) {
            status = check.run();
        } else if (templates.chosen()) {
            status = templates.run();
        } else if (sheet.chosen()) {
            status = sheet.run();
        } else if (sfv.chosen()) {
            status = sfv.run();
        } else if (release.chosen()) {
            status = release.run();
        } else if (jam.chosen()) {
            status = jam.run();
        }
    } catch (const std::bad_alloc&) {
        setLastError(OutOfMemory);
        std::fprintf(stderr, "%s\n", lastErrorMessage().c_str());
        status = ExitBadInput;
    } catch (const std::filesystem::filesystem_error& error) {
        // The commands use the calls that report errors as codes: this is a last guard.
        std::fprintf(stderr, "%s: %s\n", error.code().message().c_str(),
                     error.path1().u8string().c_str());
        status = ExitBadInput;
    }
    releaseCatalogue();
    frameworkShutdown();
    std::fflush(stdout);
    return status;
}
