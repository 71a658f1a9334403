// A release folder: the archive volumes of the release (name.rar, name.r00, ...; name.part1.rar,
// ...; name.z01, ..., name.zip; name.7z or name.7z.001, ...) and the support files beside them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Volume {
    std::string name;  // the file's name in its folder, or the path it was named by
    uint64_t size = 0;
};

struct ReleaseFolder {
    std::string baseName;              // the volume set's name without its volume suffixes
    std::vector<Volume> volumes;       // in the order the parts go
    std::vector<std::string> support;  // the support presets' names, of those the folder holds
};

// Reads the folder: its largest volume set (by bytes) and its support files. False after printing
// why (a folder that cannot be read, or one that holds no volume).
bool readReleaseFolder(const std::string& folder, ReleaseFolder& release);

// Puts file names in the order the parts go: the volumes of a set after one another by part
// (name.rar before name.r00, name.zip after name.z99), other names by name.
void sortAsPartsGo(std::vector<Volume>& files);

// The starter sheet with what the release folder tells: the packed size and its unit, the number
// of files, the support files, the title and the software name, each with a comment on where it
// came from. The other keys are the starter sheet's.
std::string folderSheet(const ReleaseFolder& release, const std::string& folder);
