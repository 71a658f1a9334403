// quenby sheet: a starter release sheet to fill in.
#include "cli/commands.h"
#include "cli/release_sheet.h"

SheetCommand::SheetCommand(CLI::App& parent) {
    app = parent.add_subcommand("sheet", "Write a release sheet with every key, ready to fill in.");
    app->footer(
        "Each key comes after a comment with its meaning and its default. Rendered unchanged, the\n"
        "sheet gives what the untouched form gives. FILE is written whole or not at all.\n"
        "Exit codes: 0 written, 2 not written.");
    app->add_option("file", file, "Where to write the sheet; standard output without it")
        ->type_name("FILE.toml");
}

int SheetCommand::run() {
    return writeOutput(file, starterSheet()) ? ExitSuccess : ExitBadInput;
}
