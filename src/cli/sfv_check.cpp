#include "cli/sfv_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/name_text.h"
#include "cli/process_io.h"
#include "foundation/file_names.h"

namespace fs = std::filesystem;

bool readSfvFile(const std::string& path, SfvFile& sfv) {
    std::string text;
    FileRead read = readInBlocks(path, [&](const uint8_t* bytes, uint32_t size) {
        text.append(reinterpret_cast<const char*>(bytes), size);
    });
    if (read != FileRead::Done) {
        printReadFailure(read, path);
        return false;
    }
    std::vector<std::string> problems;
    sfv.path = path;
    sfv.folder = sfvFolder(path);
    sfv.rows = parseSfv(text, shownName(path), problems);
    if (sfv.rows.empty() && problems.empty())
        problems.push_back(shownName(path) + ": lists no files");
    for (const std::string& problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    return problems.empty();
}

bool sfvFilesIn(const std::string& folder, std::vector<std::string>& paths) {
    std::error_code error;
    std::vector<std::string> names;
    fs::directory_iterator entry(fs::u8path(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::error_code unknown;  // an entry that cannot be looked at is no SFV
        const std::string name = entry->path().filename().u8string();
        if (hasExtension(name.c_str(), ".sfv") && entry->is_regular_file(unknown))
            names.push_back(name);
    }
    if (error) {
        std::fprintf(stderr, "Failed to read the folder: %s\n", shownName(folder).c_str());
        return false;
    }
    if (names.empty()) {
        std::fprintf(stderr, "No SFV in %s\n", shownName(folder).c_str());
        return false;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        paths.push_back(pathInFolder(folder, name));
    return true;
}

uint64_t sfvFilesSize(const SfvFile& sfv) {
    uint64_t size = 0;
    for (const SfvRow& row : sfv.rows) {
        if (sfvNameProblem(row.name).empty())
            size += regularFileSize(sfvRowPath(sfv.folder, row.name));
    }
    return size;
}

RowCheck checkSfvRow(const SfvFile& sfv, const SfvRow& row, Progress* progress) {
    RowCheck check;
    check.why = sfvNameProblem(row.name);
    if (!check.why.empty()) {
        check.result = RowResult::Refused;
        return check;
    }
    switch (fileCrc32(sfvRowPath(sfv.folder, row.name), check.crc, progress)) {
        case FileRead::Done:
            check.result = check.crc == row.crc ? RowResult::Ok : RowResult::Bad;
            break;
        case FileRead::NotRegular:
            check.result = RowResult::Refused;
            check.why = "not a regular file";
            break;
        default:
            check.result = RowResult::Missing;
    }
    return check;
}

std::string rowCheckLine(const SfvRow& row, const RowCheck& check) {
    const std::string name = shownName(row.name);
    char crcs[40];
    switch (check.result) {
        case RowResult::Ok:
            return name + " OK";
        case RowResult::Bad:
            std::snprintf(crcs, sizeof crcs, " BAD (%08X, expected %08X)", unsigned(check.crc),
                          unsigned(row.crc));
            return name + crcs;
        case RowResult::Missing:
            return name + " MISSING";
        default:
            return name + " REFUSED (" + check.why + ")";
    }
}
