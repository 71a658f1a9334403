#include <cstdio>

#include "cli/commands.h"
#include "cli/process_io.h"
#include "cli/template_source.h"
#include "foundation/errors.h"
#include "foundation/files.h"

bool writeOutput(const std::string& path, const std::string& bytes) {
    if (path.empty()) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "Failed to write to file: standard output\n");
            return false;
        }
        return true;
    }
    return writeOutputFiles({outputOf(path, bytes)});
}

OutputFile outputOf(const std::string& path, const std::string& bytes) {
    return {path, [&bytes](const ByteSink& sink) { return sink(bytes.data(), bytes.size()); }};
}

bool writeOutputFiles(const std::vector<OutputFile>& files) {
    // Each file's own name beside its place, so that two files named alike both arrive (the last
    // named is the one left there).
    std::vector<StagedFile> staged(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        StagedFile& file = staged[i];
        const ByteSink sink = [&file](const void* data, size_t size) {
            if (size <= 0xFFFFFFFFu)
                return file.write(data, static_cast<uint32_t>(size));
            setLastError(FileWriteFailed);
            return false;
        };
        if (!file.open(files[i].path.c_str()) || !files[i].write(sink) || !file.finish()) {
            std::fprintf(stderr, "%s: %s\n", lastErrorMessage().c_str(), files[i].path.c_str());
            return false;  // the files staged are removed with them
        }
    }
    // Every file is written. A move can fail still (a place made read-only meanwhile, a folder
    // there): then the files moved before it are put back, each from the old file kept aside,
    // last moved first, and a file that was not there before goes.
    std::vector<String> kept(files.size());
    size_t moved = 0;
    while (moved < files.size() &&
           staged[moved].place(moved + 1 < files.size() ? &kept[moved] : nullptr)) {
        ++moved;
    }
    const bool all = moved == files.size();
    if (!all)
        std::fprintf(stderr, "%s: %s\n", lastErrorMessage().c_str(), files[moved].path.c_str());
    for (size_t i = moved; i-- > 0;) {
        if (!all && kept[i].isEmpty())
            removeFile(staged[i].targetPath());
        else if (!all)
            moveFile(kept[i].chars(), staged[i].targetPath());
        else if (!kept[i].isEmpty())
            removeFile(kept[i].chars());
    }
    return all;
}
