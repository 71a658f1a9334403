#include "cli/release_folder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/name_text.h"
#include "sheets/sheet_keys.h"

namespace fs = std::filesystem;

bool readReleaseFolder(const std::string& folder, ReleaseFolder& release) {
    std::vector<ReleaseEntry> entries;
    std::error_code error;
    fs::directory_iterator entry(fs::u8path(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::error_code unknown;  // an entry that cannot be looked at is no volume
        const bool isFile = entry->is_regular_file(unknown);
        entries.push_back({entry->path().filename().u8string(), 0, isFile});
        if (isFile)
            entries.back().size = entry->file_size(error);
    }
    if (error) {
        std::fprintf(stderr, "Failed to read the folder: %s\n", shownName(folder).c_str());
        return false;
    }
    if (!findRelease(entries, release)) {
        std::fprintf(stderr, "No archive volumes in %s: looked for %s\n", shownName(folder).c_str(),
                     volumeKinds);
        return false;
    }
    return true;
}
