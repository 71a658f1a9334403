#include "foundation/jam_archive.h"

#include "foundation/byte_order.h"
#include "foundation/crc32.h"
#include "foundation/errors.h"
#include "foundation/memory.h"

namespace {

const uint32_t supportedVersion = 1;
const uint32_t compressedDirectoryFlag = 1;
const uint32_t verifyChunkSize = 65536;
const char* const compressionUnsupported = "JAMFILE COMPRESSION UNSUPPORTED!";

// The signature is kept only scrambled: each stored byte s stands for ((255 - s) >> 1) & 0x7F.
const uint8_t scrambledSignature[jamSignatureSize] = {
    0x60, 0x18, 0x16, 0x1A, 0x3C, 0x22, 0x36, 0xBE, 0x6A, 0x3C,
    0x24, 0xBE, 0x7C, 0x1A, 0x38, 0x2E, 0x2C, 0x12, 0x34, 0xCA,
};

bool sameBytes(const uint8_t* a, const uint8_t* b, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

}  // namespace

void jamSignature(uint8_t signature[jamSignatureSize]) {
    for (uint32_t i = 0; i < jamSignatureSize; ++i) {
        signature[i] = static_cast<uint8_t>(((255 - scrambledSignature[i]) >> 1) & 0x7F);
    }
}

uint32_t jamStartSlot(const void* name, uint32_t length, uint32_t slotCount) {
    return computeCrc32(name, length, 0) % slotCount;
}

JamEntryFields jamEntryFields(const uint8_t* record) {
    JamEntryFields fields;
    fields.nameLength = readU16(record);
    fields.method = record[2];
    fields.dataOffset = readU32(record + 4);
    fields.dataSize = readU32(record + 8);
    fields.name = reinterpret_cast<const char*>(record + jamEntryFixedSize);
    return fields;
}

JamArchive::JamArchive() : file(noFile), directory(nullptr), directorySize(0) {
    memFill(header, 0, jamHeaderSize);
}

JamArchive::~JamArchive() {
    close();
}

bool JamArchive::open(const char* fileName) {
    if (isOpen())
        close();
    uint8_t signature[jamSignatureSize];
    jamSignature(signature);

    path = fullPathName(fileName != nullptr ? fileName : "");
    const char* where = orEmpty(path);
    if (!isExistingFile(where))
        return failOpen(FileNotFound, where);
    file = openFileForReading(where, OpenExclusive | OpenRegularOnly);
    if (file == noFile)
        return failOpen(FileOpenFailed, where);

    if (!readExactly(file, header, jamHeaderSize)) {
        return failOpen(FileReadFailed, where);
    }
    if (!sameBytes(header, signature, jamSignatureSize))
        return failOpen(ArchiveInvalid, where);
    uint32_t headerChecksum =
        computeCrc32(header + jamCheckedHeaderStart, jamHeaderSize - jamCheckedHeaderStart, 0);
    if (headerChecksum != readU32(header + jamHeaderChecksumAt)) {
        return failOpen(ArchiveCorrupt, where);
    }
    if (readU32(header + jamVersionAt) != supportedVersion)
        return failOpen(ArchiveTooRecent, where);
    uint32_t size = readU32(header + jamDirectorySizeAt);
    if (size == 0 || readU32(header + jamSlotCountAt) == 0 ||
        size > readU32(header + jamDirectoryBoundAt)) {
        return failOpen(ArchiveInvalid, where);
    }

    // A directory larger than the file behind the header would only come back short: fail as
    // such a read fails, before a block of the size the header claims (up to 4 GiB) is taken.
    uint64_t end = 0;
    if (!seekFile(file, 0, SeekFromEnd, &end) ||
        !seekFile(file, jamHeaderSize, SeekFromStart, nullptr))
        return failOpen(FileSeekFailed, where);
    if (end - jamHeaderSize < size)
        return failOpen(FileReadFailed, nullptr);

    directory = static_cast<uint8_t*>(memAlloc(size));
    if (directory == nullptr)
        return failOpen(OutOfMemory, nullptr);
    directorySize = size;
    // The file position is at the end of the header, where the directory begins.
    if (!readExactly(file, directory, size)) {
        return failOpen(FileReadFailed, nullptr);
    }
    if (computeCrc32(directory, size, 0) != readU32(header + jamDirectoryChecksumAt)) {
        return failOpen(ArchiveCorrupt, where);
    }
    if ((readU32(header + jamFlagsAt) & compressedDirectoryFlag) != 0) {
        setLastError(CustomError, compressionUnsupported);
        close();
        return false;
    }
    // The checksums prove the bytes are as written, not that the writer kept within bounds.
    if (!directoryIsWithinBounds())
        return failOpen(ArchiveCorrupt, where);

    uint64_t fileSize = 0;
    if (!verifyDataSection(where, &fileSize))
        return false;
    if (!entriesAreWithinFile(fileSize))
        return failOpen(ArchiveCorrupt, where);
    return true;
}

// Streams the data section through one 64 KiB block and checks its checksum; on success
// fileSize holds the size of the whole file as read.
bool JamArchive::verifyDataSection(const char* where, uint64_t* fileSize) {
    uint8_t* chunk = static_cast<uint8_t*>(memAlloc(verifyChunkSize));
    if (chunk == nullptr)
        return failOpen(OutOfMemory, nullptr);
    uint64_t dataStart = static_cast<uint64_t>(jamHeaderSize) + directorySize;
    if (!seekFile(file, static_cast<int64_t>(dataStart), SeekFromStart, nullptr)) {
        memFree(chunk, verifyChunkSize);
        return failOpen(FileSeekFailed, where);
    }
    uint32_t checksum = 0;
    uint64_t dataSize = 0;
    for (;;) {
        uint32_t got = 0;
        if (!readFile(file, chunk, verifyChunkSize, &got)) {
            memFree(chunk, verifyChunkSize);
            return failOpen(FileReadFailed, where);
        }
        if (got == 0)
            break;
        checksum = computeCrc32(chunk, got, checksum);
        dataSize += got;
    }
    memFree(chunk, verifyChunkSize);
    if (checksum != readU32(header + jamDataChecksumAt))
        return failOpen(ArchiveCorrupt, where);
    *fileSize = dataStart + dataSize;
    return true;
}

// Every slot lies inside the directory and leads to a record whose fixed part and name do too.
bool JamArchive::directoryIsWithinBounds() const {
    uint32_t slots = readU32(header + jamSlotCountAt);
    if (static_cast<uint64_t>(slots) * 4 > directorySize)
        return false;
    for (uint32_t slot = 0; slot < slots; ++slot) {
        uint64_t offset = readU32(directory + slot * 4);
        if (offset + jamEntryFixedSize > directorySize)
            return false;
        uint64_t nameLength = readU16(directory + offset);
        if (offset + jamEntryFixedSize + nameLength > directorySize)
            return false;
    }
    return true;
}

// No record promises data beyond the end of the file.
bool JamArchive::entriesAreWithinFile(uint64_t fileSize) const {
    uint32_t slots = readU32(header + jamSlotCountAt);
    for (uint32_t slot = 0; slot < slots; ++slot) {
        JamEntryFields fields = jamEntryFields(slotRecord(slot));
        if (static_cast<uint64_t>(fields.dataOffset) + fields.dataSize > fileSize)
            return false;
    }
    return true;
}

// Records the failure (with the path as detail when where is given) and closes the archive.
bool JamArchive::failOpen(uint32_t code, const char* where) {
    if (where != nullptr) {
        setLastError(code, ":\n", where);
    } else {
        setLastError(code);
    }
    close();
    return false;
}

uint32_t JamArchive::slotCount() const {
    return directory != nullptr ? readU32(header + jamSlotCountAt) : 0;
}

const uint8_t* JamArchive::slotRecord(uint32_t slot) const {
    if (slot >= slotCount())
        return nullptr;
    return directory + readU32(directory + slot * 4);
}

// Probes from the name's hash slot through every slot once; the first record whose name matches
// byte for byte wins.
const uint8_t* JamArchive::find(const char* entryName) const {
    uint32_t slots = slotCount();
    if (slots == 0 || entryName == nullptr)
        return nullptr;
    uint32_t length = strLength(entryName);
    uint32_t slot = jamStartSlot(entryName, length, slots);
    for (uint32_t visited = 0; visited < slots; ++visited) {
        const uint8_t* record = slotRecord(slot);
        if (readU16(record) == length &&
            sameBytes(record + jamEntryFixedSize, reinterpret_cast<const uint8_t*>(entryName),
                      length)) {
            return record;
        }
        slot = slot + 1 == slots ? 0 : slot + 1;
    }
    return nullptr;
}

// No checksum is checked here: the whole data section was verified when the archive was opened.
uint8_t* JamArchive::read(const char* entryName, uint32_t& size) {
    const uint8_t* record = find(entryName);
    if (record == nullptr) {
        setLastError(FileNotInArchive, ":\n", entryName);
        return nullptr;
    }
    JamEntryFields fields = jamEntryFields(record);
    if ((fields.method & jamCompressionMethodMask) != 0) {
        setLastError(CustomError, compressionUnsupported);
        return nullptr;
    }
    size = fields.dataSize;
    uint8_t* block = static_cast<uint8_t*>(memAlloc(size));
    if (block == nullptr) {
        setLastError(OutOfMemory);
        return nullptr;
    }
    if (!seekFile(file, fields.dataOffset, SeekFromStart, nullptr)) {
        memFree(block, size);
        setLastError(FileSeekFailed, ":\n", path.chars());
        return nullptr;
    }
    if (!readExactly(file, block, size)) {
        memFree(block, size);
        setLastError(FileReadFailed, ":\n", path.chars());
        return nullptr;
    }
    return block;
}

void JamArchive::close() {
    if (file != noFile)
        closeFile(file);
    file = noFile;
    memFree(directory, directorySize);
    directory = nullptr;
    directorySize = 0;
    memFill(header, 0, jamHeaderSize);
}
