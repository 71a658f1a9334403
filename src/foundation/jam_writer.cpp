#include "foundation/jam_writer.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "foundation/byte_order.h"
#include "foundation/crc32.h"
#include "foundation/errors.h"
#include "foundation/files.h"
#include "foundation/jam_archive.h"
#include "foundation/memory.h"

namespace jam {

namespace {

const uint32_t maxNameLength = 0xFFFF;
const uint64_t maxOffset = 0xFFFFFFFFu;

// A CRC-32 of a part of an image, which the writer keeps below 4 GiB.
uint32_t crcOf(const uint8_t* bytes, uint64_t count) {
    return computeCrc32(bytes, static_cast<uint32_t>(count), 0);
}

// The reader's message on one line: its path detail follows a line break.
std::string lastErrorText() {
    std::string text = orEmpty(LastError.message);
    for (char& c : text) {
        if (c == '\n')
            c = ' ';
    }
    return text;
}

}  // namespace

bool plan(const std::vector<Entry>& entries, Layout& layout, std::string& error) {
    if (entries.empty()) {
        error = "an archive needs at least one entry";
        return false;
    }
    std::set<std::string> names;
    for (const Entry& entry : entries) {
        if (entry.name.empty()) {
            error = "an entry name cannot be empty";
            return false;
        }
        if (entry.name.size() > maxNameLength) {
            error = "entry name longer than 65535 bytes: " + entry.name.substr(0, 40) + "...";
            return false;
        }
        if (!names.insert(entry.name).second) {
            error = "duplicate entry name: " + entry.name;
            return false;
        }
    }
    uint64_t slotCount = entries.size() + entries.size() / 2;
    if (slotCount > 0x3FFFFFFF) {
        error = "too many entries";
        return false;
    }
    const uint32_t slots = static_cast<uint32_t>(slotCount);
    const uint32_t freeSlot = 0xFFFFFFFFu;
    layout = Layout();
    layout.records = entries;
    layout.slots.assign(slots, freeSlot);
    for (uint32_t record = 0; record < entries.size(); ++record) {
        uint32_t slot =
            jamStartSlot(entries[record].name.data(), uint32_t(entries[record].name.size()), slots);
        while (layout.slots[slot] != freeSlot)
            slot = (slot + 1) % slots;
        layout.slots[slot] = record;
    }
    // A free slot must still lead to a record: take the one reached next in probe order.
    uint32_t occupied = 0;
    while (layout.slots[occupied] == freeSlot)
        ++occupied;
    for (uint32_t i = slots; i-- > 0;) {
        uint32_t slot = (occupied + i) % slots;
        if (layout.slots[slot] == freeSlot) {
            layout.slots[slot] = layout.slots[(slot + 1) % slots];
        }
    }
    return true;
}

bool encode(const Layout& layout, std::vector<uint8_t>& image, std::string& error) {
    if (layout.slots.empty()) {
        error = "an archive needs at least one slot";
        return false;
    }
    for (uint32_t slot : layout.slots) {
        if (slot >= layout.records.size()) {
            error = "a slot leads to no record";
            return false;
        }
    }
    uint64_t directorySize = uint64_t(layout.slots.size()) * 4;
    for (const Entry& record : layout.records) {
        if (record.name.size() > maxNameLength) {
            error = "entry name longer than 65535 bytes";
            return false;
        }
        directorySize += jamEntryFixedSize + record.name.size();
    }
    uint64_t dataStart = jamHeaderSize + directorySize;
    uint64_t end = dataStart;
    for (const Entry& record : layout.records)
        end += record.data.size();
    if (end > maxOffset) {
        error = "archive would be larger than 4 GiB";
        return false;
    }

    image.assign(end, 0);
    uint8_t* directory = image.data() + jamHeaderSize;
    std::vector<uint32_t> recordOffsets;
    uint64_t recordAt = uint64_t(layout.slots.size()) * 4;
    uint64_t dataAt = dataStart;
    for (const Entry& record : layout.records) {
        recordOffsets.push_back(static_cast<uint32_t>(recordAt));
        uint8_t* at = directory + recordAt;
        writeU16(at, static_cast<uint32_t>(record.name.size()));
        at[2] = record.method;
        writeU32(at + 4, static_cast<uint32_t>(dataAt));
        writeU32(at + 8, static_cast<uint32_t>(record.data.size()));
        std::copy(record.name.begin(), record.name.end(), at + jamEntryFixedSize);
        std::copy(record.data.begin(), record.data.end(), image.begin() + dataAt);
        recordAt += jamEntryFixedSize + record.name.size();
        dataAt += record.data.size();
    }
    for (size_t slot = 0; slot < layout.slots.size(); ++slot) {
        writeU32(directory + slot * 4, recordOffsets[layout.slots[slot]]);
    }

    uint8_t* header = image.data();
    jamSignature(header);
    writeU32(header + jamVersionAt, layout.version);
    writeU32(header + jamFlagsAt, layout.flags);
    writeU32(header + jamSlotCountAt, static_cast<uint32_t>(layout.slots.size()));
    writeU32(header + jamDirectorySizeAt, static_cast<uint32_t>(directorySize));
    writeU32(header + jamDirectoryBoundAt, static_cast<uint32_t>(directorySize));
    reseal(image);
    return true;
}

void reseal(std::vector<uint8_t>& image) {
    if (image.size() < jamHeaderSize)
        return;
    uint8_t* header = image.data();
    uint64_t available = image.size() - jamHeaderSize;
    uint64_t directorySize = std::min<uint64_t>(readU32(header + jamDirectorySizeAt), available);
    const uint8_t* directory = header + jamHeaderSize;
    writeU32(header + jamDirectoryChecksumAt, crcOf(directory, directorySize));
    writeU32(header + jamDataChecksumAt,
             crcOf(directory + directorySize, available - directorySize));
    writeU32(header + jamHeaderChecksumAt,
             crcOf(header + jamCheckedHeaderStart, jamHeaderSize - jamCheckedHeaderStart));
}

bool pack(const std::string& path, const std::vector<Entry>& entries, std::string& error) {
    Layout layout;
    std::vector<uint8_t> image;
    return plan(entries, layout, error) && encode(layout, image, error) &&
           writeWholeFile(path, image, error);
}

std::string listingLine(const Listing& entry) {
    char size[16];
    std::snprintf(size, sizeof size, "%10u  ", entry.size);
    return size + entry.name +
           ((entry.method & jamCompressionMethodMask) != 0 ? "  (compressed)" : "");
}

bool list(const std::string& path, std::vector<Listing>& entries, std::string& error) {
    JamArchive archive;
    if (!archive.open(path.c_str())) {
        error = lastErrorText();
        return false;
    }
    entries.clear();
    std::set<const uint8_t*> seen;
    for (uint32_t slot = 0; slot < archive.slotCount(); ++slot) {
        const uint8_t* record = archive.slotRecord(slot);
        if (!seen.insert(record).second)
            continue;
        JamEntryFields fields = jamEntryFields(record);
        Listing listing;
        listing.name.assign(fields.name, fields.nameLength);
        listing.size = fields.dataSize;
        listing.method = fields.method;
        listing.offset = fields.dataOffset;
        entries.push_back(listing);
    }
    return true;
}

bool extract(const std::string& path, const std::string& name, std::vector<uint8_t>& data,
             std::string& error) {
    JamArchive archive;
    if (!archive.open(path.c_str())) {
        error = lastErrorText();
        return false;
    }
    uint32_t size = 0;
    uint8_t* block = archive.read(name.c_str(), size);
    if (block == nullptr) {
        error = lastErrorText();
        return false;
    }
    data.assign(block, block + size);
    memFree(block, size);
    return true;
}

// Read through the framework's file calls, which refuse a folder at open and report a failed read
// as false: the standard streams would throw from inside the read instead.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
    FileHandle file = openFileForReading(path.c_str(), OpenShared);
    if (file == noFile) {
        error = "cannot open " + path;
        return false;
    }
    data.clear();
    uint8_t chunk[65536];
    uint32_t got = 0;
    bool read = true;
    while ((read = readFile(file, chunk, sizeof chunk, &got)) && got != 0)
        data.insert(data.end(), chunk, chunk + got);
    closeFile(file);
    if (!read) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool readEntryArgument(const std::string& argument, const std::string* bareName, Entry& entry,
                       std::string& error) {
    std::string::size_type equals = argument.find('=');
    std::string path = argument;
    if (equals != std::string::npos) {
        entry.name = argument.substr(0, equals);
        path = argument.substr(equals + 1);
    }
    if (equals == std::string::npos && bareName != nullptr) {
        entry.name = *bareName;
    } else if (entry.name.empty() || path.empty()) {
        error = "expected NAME=FILE, got " + argument;
        return false;
    }
    return readWholeFile(path, entry.data, error);
}

bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& data, std::string& error) {
    if (data.size() > maxOffset) {
        error = "cannot write more than 4 GiB to " + path;
        return false;
    }
    if (!writeFileAtomically(path.c_str(), data.data(), static_cast<uint32_t>(data.size()))) {
        error = lastErrorText() + ": " + path;
        return false;
    }
    return true;
}

}  // namespace jam
