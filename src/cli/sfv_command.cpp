// quenby sfv: the SFV of a release's volumes or of the files named, and the check of SFVs.
#include <cstdio>

#include "cli/commands.h"
#include "cli/name_text.h"
#include "cli/process_io.h"
#include "cli/progress.h"
#include "cli/release_folder.h"
#include "cli/sfv.h"
#include "cli/sfv_check.h"

SfvCommand::SfvCommand(CLI::App& parent) {
    app = parent.add_subcommand("sfv", "Write the SFV of a release's volumes, or check SFVs.");
    app->footer(
        "Given a folder, the SFV lists the archive volumes of its release (as sheet --from finds\n"
        "them); given files, it lists each of them. The rows name the files from the SFV's folder\n"
        "(OUT's, else the folder given, else the current one), and a file outside it is refused.\n"
        "The rows go in the order the parts go, with CR LF line ends; OUT is written whole or not\n"
        "at all.\n"
        "--check reads every file each SFV lists (from the SFV's folder) and prints NAME OK, NAME\n"
        "BAD (with both CRCs), NAME MISSING (a file that cannot be opened or read) or NAME "
        "REFUSED\n"
        "(a name outside the SFV's folder, a device name, or a file that is not a regular one);\n"
        "a folder given to --check stands for every .sfv in it, and with several SFVs each one's\n"
        "rows follow its name. On a terminal, standard error shows the progress unless --quiet.\n"
        "Exit codes: 0 written or all OK, 1 some BAD or MISSING, 2 an unreadable or malformed\n"
        "SFV, a row refused, a file that cannot be read, or OUT not written.");
    CLI::Option* pathsOption =
        app->add_option("paths", paths, "The release folder, or the files to list")
            ->type_name("DIR|FILE");
    CLI::Option* outputOption =
        app->add_option("-o,--output", output, "Write the SFV to OUT instead of standard output")
            ->type_name("OUT");
    app->add_option("--check", sfvs, "Check the files SFVs list (a folder: each .sfv in it)")
        ->type_name("FILE.sfv|DIR")
        ->excludes(pathsOption)
        ->excludes(outputOption);
    app->add_flag("-q,--quiet", quiet, "Show no progress on a terminal");
}

int SfvCommand::run() {
    if (!sfvs.empty())
        return check();
    if (paths.empty()) {
        std::fprintf(stderr,
                     "Name a folder, files or --check FILE.sfv\n"
                     "Run with --help for more information.\n");
        return ExitBadInput;
    }
    std::vector<Volume> files;
    std::string folder = output.empty() ? "" : sfvFolder(output);
    if (paths.size() == 1 && isFolder(paths[0])) {
        ReleaseFolder release;
        if (!readReleaseFolder(paths[0], release))
            return ExitBadInput;
        if (output.empty())
            folder = paths[0];
        for (const Volume& volume : release.volumes)
            files.push_back({pathInFolder(paths[0], volume.name), volume.size});
    } else {
        for (const std::string& path : paths)
            files.push_back({path, regularFileSize(path)});
        sortAsPartsGo(files);
    }
    std::vector<std::string> filePaths;
    uint64_t total = 0;
    for (const Volume& file : files) {
        filePaths.push_back(file.name);
        total += file.size;
    }
    std::vector<SfvRow> rows;
    {
        Progress progress(total, quiet);
        if (!sfvRowsOf(folder, filePaths, rows, &progress))
            return ExitBadInput;
    }
    return writeOutput(output, sfvText(rows)) ? ExitSuccess : ExitBadInput;
}

int SfvCommand::check() {
    int status = ExitSuccess;
    std::vector<std::string> paths;
    for (const std::string& sfv : sfvs) {
        if (!isFolder(sfv))
            paths.push_back(sfv);
        else if (!sfvFilesIn(sfv, paths))
            status = ExitBadInput;
    }
    // Every SFV is read before any file is, so that the progress knows the whole.
    std::vector<SfvFile> files;
    uint64_t total = 0;
    for (const std::string& path : paths) {
        files.push_back(SfvFile());
        if (!readSfvFile(path, files.back())) {
            files.pop_back();
            status = ExitBadInput;
            continue;
        }
        total += sfvFilesSize(files.back());
    }
    Progress progress(total, quiet);
    for (const SfvFile& sfv : files) {
        if (paths.size() > 1) {
            progress.clear();
            std::printf("%s:\n", shownName(sfv.path).c_str());
        }
        for (const SfvRow& row : sfv.rows) {
            const RowCheck result = checkSfvRow(sfv, row, &progress);
            progress.clear();
            std::printf("%s\n", rowCheckLine(row, result).c_str());
            std::fflush(stdout);
            if (result.result == RowResult::Refused)
                status = ExitBadInput;
            else if (result.result != RowResult::Ok && status == ExitSuccess)
                status = ExitFailed;
        }
    }
    return status;
}
