#include "cli/release_folder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <tuple>

#include "sheets/sheet_keys.h"

namespace fs = std::filesystem;

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool allDigits(const std::string& text) {
    return !text.empty() && text.size() <= 6 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Where a file stands in a volume set: the set (its name and kind) and its place in it.
struct Part {
    std::string set;
    std::string kind;
    long place = 0;
};

// The volume part a file name is, if it is one.
bool volumePart(const std::string& name, Part& part) {
    const std::string lower = lowerCase(name);
    const size_t dot = lower.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    const std::string stem = name.substr(0, dot), extension = lower.substr(dot + 1);
    const size_t innerDot = stem.rfind('.');
    const std::string inner =
        innerDot == std::string::npos ? "" : lower.substr(innerDot + 1, dot - innerDot - 1);
    part = Part();
    if (extension == "rar" && inner.size() > 4 && inner.compare(0, 4, "part") == 0 &&
        allDigits(inner.substr(4))) {
        part = {stem.substr(0, innerDot), "part.rar", std::stol(inner.substr(4))};
    } else if (extension == "rar" || extension == "7z") {
        part = {stem, extension, -1};
    } else if (extension == "zip") {
        part = {stem, "zip", 1000000};  // the last volume of a split zip
    } else if (extension.size() == 3 && extension[0] >= 'r' && extension[0] <= 'z' &&
               allDigits(extension.substr(1))) {
        // name.r00 to name.r99, then name.s00 and on; name.z01 and on for a split zip.
        const bool zip = extension[0] == 'z';
        part = {stem, zip ? "zip" : "rar",
                (extension[0] - 'r') * 100 + std::stol(extension.substr(1))};
    } else if (allDigits(extension) && extension.size() == 3 && (inner == "7z" || inner == "zip")) {
        part = {stem.substr(0, innerDot), inner + ".001", std::stol(extension)};
    } else {
        return false;
    }
    return !part.set.empty();
}

// The check box of the support preset that entry is, or 0.
uint32_t supportOf(const fs::path& path) {
    const std::string extension = lowerCase(path.extension().u8string());
    if (extension == ".sfv")
        return UploadControl::SfvCheck;
    if (extension == ".cue")
        return UploadControl::CueCheck;
    if (extension == ".pdf" || extension == ".chm" || lowerCase(path.stem().u8string()) == "manual")
        return UploadControl::ManualCheck;
    return 0;
}

}  // namespace

void sortAsPartsGo(std::vector<Volume>& files) {
    auto key = [](const Volume& file) {
        Part part;
        if (!volumePart(file.name, part))
            part = {file.name, "", 0};
        return std::make_tuple(part.set, part.kind, part.place, file.name);
    };
    std::stable_sort(files.begin(), files.end(),
                     [&](const Volume& a, const Volume& b) { return key(a) < key(b); });
}

bool readReleaseFolder(const std::string& folder, ReleaseFolder& release) {
    struct Set {
        std::vector<Volume> volumes;
        uint64_t size = 0;
    };
    std::map<std::pair<std::string, std::string>, Set> sets;
    std::set<uint32_t> support;
    std::error_code error;
    fs::directory_iterator entry(fs::u8path(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().u8string();
        support.insert(supportOf(entry->path()));
        Part part;
        std::error_code unknown;  // an entry that cannot be looked at is no volume
        if (!volumePart(name, part) || !entry->is_regular_file(unknown))
            continue;
        Set& set = sets[{part.set, part.kind}];
        set.volumes.push_back({name, entry->file_size(error)});
        set.size += set.volumes.back().size;
    }
    if (error) {
        std::fprintf(stderr, "Failed to read the folder: %s\n", folder.c_str());
        return false;
    }
    auto largest = sets.end();
    for (auto set = sets.begin(); set != sets.end(); ++set) {
        if (largest == sets.end() || set->second.size > largest->second.size)
            largest = set;
    }
    if (largest == sets.end()) {
        std::fprintf(stderr,
                     "No archive volumes in %s: looked for NAME.rar with NAME.r00 and on, "
                     "NAME.part1.rar and on, NAME.zip with NAME.z01 and on, NAME.7z, "
                     "NAME.7z.001 and NAME.zip.001\n",
                     folder.c_str());
        return false;
    }
    release = ReleaseFolder();
    release.baseName = largest->first.first;
    release.volumes = largest->second.volumes;
    sortAsPartsGo(release.volumes);
    for (const SupportPreset& preset : supportPresets) {
        if (support.count(preset.checkBox) != 0)
            release.support.push_back(preset.name);
    }
    return true;
}
