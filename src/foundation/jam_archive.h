// JamArchive: the reader of .jam archives, the framework's checksummed read-only container of
// named entries. The archive is verified whole when it is opened, before any entry is read.
#pragma once

#include <cstdint>

#include "foundation/files.h"
#include "foundation/object.h"
#include "foundation/string.h"

const uint32_t jamHeaderSize = 64;
const uint32_t jamSignatureSize = 20;
const uint32_t jamEntryFixedSize = 16;

// Byte offsets of the header's fields. Bytes 32 to 35 and 56 to 63 are not read.
const uint32_t jamHeaderChecksumAt = 20;
const uint32_t jamCheckedHeaderStart = 24;  // the header checksum covers bytes 24 to 63
const uint32_t jamVersionAt = 24;
const uint32_t jamFlagsAt = 28;
const uint32_t jamSlotCountAt = 36;
const uint32_t jamDataChecksumAt = 40;
const uint32_t jamDirectorySizeAt = 44;
const uint32_t jamDirectoryBoundAt = 48;
const uint32_t jamDirectoryChecksumAt = 52;

// The archive signature as the writer must store it (the reader keeps it only scrambled).
void jamSignature(uint8_t signature[jamSignatureSize]);

// The compression method bits of a record's method byte; 0 means stored.
const uint8_t jamCompressionMethodMask = 0x1F;

// The slot where the probe for a name starts: CRC-32 of its bytes modulo the slot count (the
// directory's records are found from here, and a writer places them from here).
uint32_t jamStartSlot(const void* name, uint32_t length, uint32_t slotCount);

// The fields of one directory record, as find and slotRecord return it. name is not terminated.
struct JamEntryFields {
    const char* name;
    uint32_t nameLength;
    uint8_t method;  // bits 0 to 4: compression method, 0 for stored
    uint32_t dataOffset;
    uint32_t dataSize;
};
JamEntryFields jamEntryFields(const uint8_t* record);

class JamArchive : public Object {
public:
    JamArchive();
    ~JamArchive() override;
    JamArchive(const JamArchive&) = delete;
    JamArchive& operator=(const JamArchive&) = delete;

    // Opens and verifies the archive; called on a closed archive. On false it is closed again and
    // LastError says why.
    bool open(const char* fileName);
    // The entry's directory record, or null.
    const uint8_t* find(const char* entryName) const;
    // A new block (release with memFree and its size) holding the entry's data, or null.
    uint8_t* read(const char* entryName, uint32_t& size);
    void close();

    bool isOpen() const { return file != noFile; }
    // The directory's slots, for listing an archive: 0 slots when closed. Several slots may lead
    // to the same record.
    uint32_t slotCount() const;
    const uint8_t* slotRecord(uint32_t slot) const;

    String path;

private:
    bool verifyDataSection(const char* where, uint64_t* fileSize);
    bool directoryIsWithinBounds() const;
    bool entriesAreWithinFile(uint64_t fileSize) const;
    bool failOpen(uint32_t code, const char* where);

    FileHandle file;
    uint8_t header[jamHeaderSize];
    uint8_t* directory;
    uint32_t directorySize;
};
