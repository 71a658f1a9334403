// quenby sheet: a starter release sheet to fill in.
#include <cstdio>

#include "cli/commands.h"
#include "cli/release_folder.h"
#include "sheets/release_sheet.h"

SheetCommand::SheetCommand(CLI::App& parent) {
    app = parent.add_subcommand("sheet", "Write a release sheet with every key, ready to fill in.");
    app->footer(
        "Each key comes after a comment with its meaning and its default. Rendered unchanged, the\n"
        "sheet gives what the untouched form gives. FILE is written whole or not at all.\n"
        "--from DIR fills in what the release folder tells, each with a comment saying where it\n"
        "came from: the packed size of its archive volumes (Kb, or Mb past 999999 Kb), the\n"
        "number of files, the support files (.sfv, .cue, .pdf, .chm, manual) and the title and\n"
        "software name from the volumes' name (which must be UTF-8 text the form can hold). The\n"
        "sheet is read back before it is written, as render would read it.\n"
        "Exit codes: 0 written, 2 not written (or no archive volumes in DIR).");
    app->add_option("file", file, "Where to write the sheet; standard output without it")
        ->type_name("FILE.toml");
    app->add_option("--from", from, "Fill in what this release folder tells")->type_name("DIR");
}

int SheetCommand::run() {
    std::string sheet = starterSheet();
    if (!from.empty()) {
        ReleaseFolder release;
        if (!readReleaseFolder(from, release) || !folderSheet(release, from, sheet))
            return ExitBadInput;
        // Only a sheet that the reader takes is written.
        RecordForm form;
        try {
            readReleaseSheet(sheet, file.empty() ? "<stdout>" : file, form);
        } catch (const SheetError& error) {
            for (const std::string& problem : error.problems())
                std::fprintf(stderr, "%s\n", problem.c_str());
            return ExitBadInput;
        }
    }
    return writeOutput(file, sheet) ? ExitSuccess : ExitBadInput;
}
