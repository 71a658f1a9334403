#include "sheets/release_files.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "engine/form_table.h"
#include "sheets/sheet_keys.h"
#include "sheets/sheet_text.h"

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

// The check box of the support preset that a file or folder of that name is, or 0.
uint32_t supportOf(const std::string& name) {
    const std::string lower = lowerCase(name);
    const size_t dot = lower.rfind('.');
    const bool dotted = dot != std::string::npos && dot != 0;
    const std::string stem = dotted ? lower.substr(0, dot) : lower;
    const std::string extension = dotted ? lower.substr(dot) : "";
    if (extension == ".sfv")
        return UploadControl::SfvCheck;
    if (extension == ".cue")
        return UploadControl::CueCheck;
    if (extension == ".pdf" || extension == ".chm" || stem == "manual")
        return UploadControl::ManualCheck;
    return 0;
}

}  // namespace

const char* const volumeKinds =
    "NAME.rar with NAME.r00 and on, NAME.part1.rar and on, NAME.zip with NAME.z01 and on, "
    "NAME.7z, NAME.7z.001 and NAME.zip.001";

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

bool findRelease(const std::vector<ReleaseEntry>& entries, ReleaseFolder& release) {
    struct Set {
        std::vector<Volume> volumes;
        uint64_t size = 0;
    };
    std::map<std::pair<std::string, std::string>, Set> sets;
    std::set<uint32_t> support;
    for (const ReleaseEntry& entry : entries) {
        support.insert(supportOf(entry.name));
        Part part;
        if (!entry.isFile || !volumePart(entry.name, part))
            continue;
        Set& set = sets[{part.set, part.kind}];
        set.volumes.push_back({entry.name, entry.size});
        set.size += entry.size;
    }
    auto largest = sets.end();
    for (auto set = sets.begin(); set != sets.end(); ++set) {
        if (largest == sets.end() || set->second.size > largest->second.size)
            largest = set;
    }
    if (largest == sets.end())
        return false;
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

PackedSize packedSizeOf(uint64_t bytes) {
    PackedSize packed;
    packed.size = (bytes + 1023) / 1024;
    packed.megabytes = packed.size > 999999;
    if (packed.megabytes)
        packed.size = (bytes + 1048575) / 1048576;
    return packed;
}

uint64_t volumeBytes(const ReleaseFolder& release) {
    uint64_t bytes = 0;
    for (const Volume& volume : release.volumes)
        bytes += volume.size;
    return bytes;
}

std::string releaseFileKeys(const ReleaseFolder& release) {
    const PackedSize packed = packedSizeOf(volumeBytes(release));
    std::string keys = "[general]\npacked = " + std::to_string(packed.size) +
                       "\nunit = " + (packed.megabytes ? "\"Mb\"" : "\"Kb\"") +
                       "\n[upload]\nfiles = " + std::to_string(release.volumes.size()) + "\n";
    if (!release.support.empty()) {
        std::string names;
        for (const std::string& name : release.support)
            names += (names.empty() ? "" : ", ") + quoted(name);
        keys += "support = [" + names + "]\n";
    }
    return keys;
}
