// quenby jam: packs, lists and extracts .jam archives with the archive writer.
#include <cstdio>

#include "cli/commands.h"
#include "cli/process_io.h"
#include "foundation/jam_writer.h"

namespace {

int fail(const std::string& error) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return ExitBadInput;
}

}  // namespace

JamCommand::JamCommand(CLI::App& parent) {
    app = parent.add_subcommand("jam", "Pack, list or extract .jam archives.");
    app->require_subcommand(1);
    app->footer("Exit codes: 0 done, 2 the archive or a file cannot be read or written.");

    listApp = app->add_subcommand("list", "List the entries of an archive (size and name).");
    listApp->add_option("archive", archive, "Archive to list")->type_name("ARCHIVE")->required();

    extractApp =
        app->add_subcommand("extract", "Write one entry's data to OUT or standard output.");
    extractApp->add_option("archive", archive, "Archive to read")->type_name("ARCHIVE")->required();
    extractApp->add_option("name", entryName, "Entry name, exact")->type_name("NAME")->required();
    extractApp->add_option("-o,--output", output, "File to write (replaced whole)")
        ->type_name("OUT");

    packApp = app->add_subcommand("pack", "Pack files into a new archive (replaced whole).");
    packApp->add_option("archive", archive, "Archive to write")->type_name("OUT.jam")->required();
    packApp
        ->add_option("files", files,
                     "Files to pack, each as NAME=FILE or FILE (named after its base name)")
        ->type_name("[NAME=]FILE")
        ->required();
}

int JamCommand::run() {
    if (listApp->parsed())
        return list();
    if (extractApp->parsed())
        return extract();
    return pack();
}

int JamCommand::list() {
    std::vector<jam::Listing> entries;
    std::string error;
    if (!jam::list(archive, entries, error))
        return fail(error);
    for (const jam::Listing& entry : entries) {
        std::printf("%s\n", jam::listingLine(entry).c_str());
    }
    return ExitSuccess;
}

int JamCommand::extract() {
    std::vector<uint8_t> data;
    std::string error;
    if (!jam::extract(archive, entryName, data, error))
        return fail(error);
    std::string bytes(data.begin(), data.end());
    return writeOutput(output, bytes) ? ExitSuccess : ExitBadInput;
}

int JamCommand::pack() {
    std::vector<jam::Entry> entries;
    std::string error;
    for (const std::string& file : files) {
        jam::Entry entry;
        const std::string name = baseName(file);
        if (!jam::readEntryArgument(file, &name, entry, error))
            return fail(error);
        entries.push_back(std::move(entry));
    }
    if (!jam::pack(archive, entries, error))
        return fail(error);
    return ExitSuccess;
}
