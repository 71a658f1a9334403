// A release's files by name and size alone, for every front end: which are archive volumes of
// which set (name.rar, name.r00, ...; name.part1.rar, ...; name.z01, ..., name.zip; name.7z or
// name.7z.001, ...), the order the parts go, which are support files, and the packed size they
// make. Reading a folder is the front end's.
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
    std::vector<std::string> support;  // of "SFV", "CUE" and "Manual", those the folder holds
};

// One entry of a release's folder (or of the files dropped together): a folder is never a
// volume, but may be a support file (a folder named manual).
struct ReleaseEntry {
    std::string name;
    uint64_t size = 0;
    bool isFile = true;
};

// The release among the entries: their largest volume set (by bytes), in the order the parts go,
// and the support files among them. False when no entry is a volume.
bool findRelease(const std::vector<ReleaseEntry>& entries, ReleaseFolder& release);

// Puts file names in the order the parts go: the volumes of a set after one another by part
// (name.rar before name.r00, name.zip after name.z99), other names by name.
void sortAsPartsGo(std::vector<Volume>& files);

// The packed size of bytes as the form takes it: Kb (1024 bytes) rounded up, or Mb (rounded up)
// when the Kb would need more than six digits.
struct PackedSize {
    uint64_t size = 0;
    bool megabytes = false;
};
PackedSize packedSizeOf(uint64_t bytes);

// The bytes of the release's volumes.
uint64_t volumeBytes(const ReleaseFolder& release);

// What the volumes tell when no volume is found, for the message: "NAME.rar with NAME.r00 and on,
// NAME.part1.rar and on, ...".
extern const char* const volumeKinds;

// The keys of a release sheet that the release's files tell: the packed size and its unit, the
// number of files and the support files, as the lines of a sheet.
std::string releaseFileKeys(const ReleaseFolder& release);
