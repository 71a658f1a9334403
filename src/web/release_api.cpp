// The release's files dropped on the page: the same volume sets, parts order, support files and
// packed size as quenby sheet --from finds in a folder, filled into the form, and the SFV of the
// volumes from the CRC-32 of the core. The page reads the files in slices and hands each here.
#include <emscripten/emscripten.h>

#include <new>
#include <string>
#include <vector>

#include "foundation/crc32.h"
#include "sheets/release_files.h"
#include "sheets/release_sheet.h"
#include "sheets/sfv_text.h"
#include "web/page_form.h"

namespace {

std::vector<ReleaseEntry> entries;
ReleaseFolder release;
std::vector<uint32_t> entryOfVolume;  // the index in entries of each volume
std::vector<SfvRow> rows;

}  // namespace

extern "C" {

// Forgets the files of the last drop.
EMSCRIPTEN_KEEPALIVE void quenbyReleaseClear() {
    entries.clear();
    release = ReleaseFolder();
    entryOfVolume.clear();
    rows.clear();
}

// One file dropped, by name and size: 0 when memory ran out.
EMSCRIPTEN_KEEPALIVE int quenbyReleaseAdd(const char* name, double size) {
    try {
        entries.push_back({name, static_cast<uint64_t>(size), true});
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

// Finds the release among the files added and fills Packed, the unit, Files and the support
// files of the form from it: "" or why not.
EMSCRIPTEN_KEEPALIVE const char* quenbyReleaseFind() {
    try {
        if (!findRelease(entries, release))
            return pageAnswer(std::string("No archive volumes among the files dropped: expected ") +
                              volumeKinds + ".");
        std::vector<bool> taken(entries.size());
        for (const Volume& volume : release.volumes) {
            size_t i = 0;
            while (i < entries.size() && (taken[i] || entries[i].name != volume.name))
                ++i;
            if (i == entries.size())
                return pageAnswer("Not among the files dropped: " + volume.name);
            taken[i] = true;
            entryOfVolume.push_back(static_cast<uint32_t>(i));
            rows.push_back({volume.name, 0});
        }
        // The keys are read by the sheet reader into a form of their own first, so that a
        // problem leaves the page's form as it was.
        const std::string keys = releaseFileKeys(release);
        RecordForm check;
        readReleaseSheet(keys, "the files dropped", check);
        readReleaseSheet(keys, "the files dropped", pageRecordForm());
    } catch (const SheetError& error) {
        std::string lines;
        for (const std::string& problem : error.problems())
            lines += problem + "\n";
        return pageAnswer(lines);
    } catch (const std::bad_alloc&) {
        return pageAnswer("Out of memory");
    }
    return pageAnswer("");
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyReleaseVolumes() {
    return static_cast<uint32_t>(rows.size());
}

// The index, in the order the files were added, of the release's volume number index.
EMSCRIPTEN_KEEPALIVE uint32_t quenbyReleaseVolumeFile(uint32_t index) {
    return index < entryOfVolume.size() ? entryOfVolume[index] : 0;
}

// The volumes' name, which the SFV is saved by.
EMSCRIPTEN_KEEPALIVE const char* quenbyReleaseName() {
    return release.baseName.c_str();
}

// The CRC-32 of length bytes continued from previous (0 to start).
EMSCRIPTEN_KEEPALIVE uint32_t quenbyCrc32(const uint8_t* bytes, uint32_t length,
                                          uint32_t previous) {
    return computeCrc32(bytes, length, previous);
}

EMSCRIPTEN_KEEPALIVE void quenbyReleaseSetCrc(uint32_t index, uint32_t crc) {
    if (index < rows.size())
        rows[index].crc = crc;
}

// The SFV of the volumes, in the order the parts go, once each one's CRC-32 is set.
EMSCRIPTEN_KEEPALIVE const char* quenbyReleaseSfv() {
    try {
        return pageAnswer(sfvText(rows));
    } catch (const std::bad_alloc&) {
        return pageAnswer("");
    }
}
}
