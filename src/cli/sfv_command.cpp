// quenby sfv: the SFV of a release's volumes or of the files named, and the check of an SFV.
#include <algorithm>
#include <cstdio>

#include "cli/commands.h"
#include "cli/process_io.h"
#include "cli/release_folder.h"
#include "cli/sfv.h"

namespace {

// An SFV made on Windows names the files below its folder with backslashes.
std::string localPath(std::string name) {
#ifndef _WIN32
    std::replace(name.begin(), name.end(), '\\', '/');
#endif
    return name;
}

}  // namespace

SfvCommand::SfvCommand(CLI::App& parent) {
    app = parent.add_subcommand("sfv", "Write the SFV of a release's volumes, or check an SFV.");
    app->footer(
        "Given a folder, the SFV lists the archive volumes of its release (as sheet --from finds\n"
        "them) by name; given files, it lists each of them as named. The rows go in the order\n"
        "the parts go, with CR LF line ends; OUT is written whole or not at all.\n"
        "--check reads every file the SFV lists (beside the SFV) and prints NAME OK, NAME BAD\n"
        "(with both CRCs) or NAME MISSING (a file that cannot be opened or read).\n"
        "Exit codes: 0 written or all OK, 1 some not OK, 2 an unreadable or malformed SFV, a\n"
        "file that cannot be read, or OUT not written.");
    CLI::Option* pathsOption =
        app->add_option("paths", paths, "The release folder, or the files to list")
            ->type_name("DIR|FILE");
    CLI::Option* outputOption =
        app->add_option("-o,--output", output, "Write the SFV to OUT instead of standard output")
            ->type_name("OUT");
    app->add_option("--check", sfv, "Check the files an SFV lists")
        ->type_name("FILE.sfv")
        ->excludes(pathsOption)
        ->excludes(outputOption);
}

int SfvCommand::run() {
    if (!sfv.empty())
        return check();
    if (paths.empty()) {
        std::fprintf(stderr,
                     "Name a folder, files or --check FILE.sfv\n"
                     "Run with --help for more information.\n");
        return ExitBadInput;
    }
    std::vector<Volume> files;
    std::string folder;
    if (paths.size() == 1 && isFolder(paths[0])) {
        ReleaseFolder release;
        if (!readReleaseFolder(paths[0], release))
            return ExitBadInput;
        folder = paths[0];
        files = release.volumes;
    } else {
        for (const std::string& path : paths)
            files.push_back({path, 0});
        sortAsPartsGo(files);
    }
    std::vector<SfvRow> rows;
    for (const Volume& file : files) {
        const std::string path = pathInFolder(folder, file.name);
        rows.push_back({file.name, 0});
        FileRead read = fileCrc32(path, rows.back().crc);
        if (read != FileRead::Done) {
            printReadFailure(read, path);
            return ExitBadInput;
        }
    }
    return writeOutput(output, sfvText(rows)) ? ExitSuccess : ExitBadInput;
}

int SfvCommand::check() {
    std::string text;
    FileRead read = readInBlocks(sfv, [&](const uint8_t* bytes, uint32_t size) {
        text.append(reinterpret_cast<const char*>(bytes), size);
    });
    if (read != FileRead::Done) {
        printReadFailure(read, sfv);
        return ExitBadInput;
    }
    std::vector<std::string> problems;
    const std::vector<SfvRow> rows = parseSfv(text, sfv, problems);
    if (rows.empty() && problems.empty())
        problems.push_back(sfv + ": lists no files");
    for (const std::string& problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    if (!problems.empty())
        return ExitBadInput;
    // The names are relative to the SFV's folder.
    const std::string folder = sfv.substr(0, sfv.size() - baseName(sfv).size());
    int status = ExitSuccess;
    for (const SfvRow& row : rows) {
        uint32_t crc = 0;
        if (fileCrc32(pathInFolder(folder, localPath(row.name)), crc) != FileRead::Done) {
            std::printf("%s MISSING\n", row.name.c_str());
        } else if (crc != row.crc) {
            std::printf("%s BAD (%08X, expected %08X)\n", row.name.c_str(), unsigned(crc),
                        unsigned(row.crc));
        } else {
            std::printf("%s OK\n", row.name.c_str());
            continue;
        }
        status = ExitFailed;
    }
    return status;
}
