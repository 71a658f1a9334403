#include <cstdio>

#include "cli/commands.h"
#include "cli/process_io.h"
#include "cli/template_source.h"
#include "foundation/errors.h"
#include "foundation/files.h"

namespace {

// Writes bytes to target atomically; false after printing why, naming shownPath.
bool writeFile(const std::string& target, const std::string& bytes, const std::string& shownPath) {
    if (bytes.size() > 0xFFFFFFFFu ||
        !writeFileAtomically(target.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size()))) {
        std::fprintf(stderr, "%s: %s\n", lastErrorMessage().c_str(), shownPath.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool writeOutput(const std::string& path, const std::string& bytes) {
    if (path.empty()) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "Failed to write to file: standard output\n");
            return false;
        }
        return true;
    }
    return writeFile(path, bytes, path);
}

bool writeOutputFiles(const std::vector<OutputFile>& files) {
    if (files.size() == 1)
        return writeFile(files[0].path, files[0].bytes, files[0].path);
    // A folder in a file's place would refuse the move after the files before it had moved.
    for (const OutputFile& file : files) {
        if (isFolder(file.path)) {
            setLastError(FileMoveFailed);
            std::fprintf(stderr, "%s: %s\n", lastErrorMessage().c_str(), file.path.c_str());
            return false;
        }
    }
    // Each file's own name beside its place, so that two files named alike both arrive (the last
    // named is the one left there).
    std::vector<std::string> staged;
    for (size_t i = 0; i < files.size(); ++i)
        staged.push_back(files[i].path + ".quenby-new-" + std::to_string(i));
    size_t written = 0;
    while (written < files.size() &&
           writeFile(staged[written], files[written].bytes, files[written].path)) {
        ++written;
    }
    if (written < files.size()) {
        for (size_t i = 0; i < written; ++i)
            std::remove(staged[i].c_str());
        return false;
    }
    // Every file is written; a move that fails still (a place made read-only meanwhile) leaves
    // the files moved before it in place.
    bool moved = true;
    for (size_t i = 0; i < files.size(); ++i) {
        if (moved && replaceFile(staged[i], files[i].path))
            continue;
        if (moved) {
            setLastError(FileMoveFailed);
            std::fprintf(stderr, "%s: %s\n", lastErrorMessage().c_str(), files[i].path.c_str());
        }
        moved = false;
        std::remove(staged[i].c_str());
    }
    return moved;
}
