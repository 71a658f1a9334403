// Fuzzing harness of the archive reader: the input is the whole archive file, tried as it is and
// with its three checksums made right (so that the fuzzer reaches the directory and the entries).
// When it opens (verified whole), every name of its directory and "Default.ntf" are read, and a
// block that comes back must be exactly the file's bytes at its record's data offset.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/framework.h"
#include "foundation/jam_archive.h"
#include "foundation/jam_writer.h"
#include "foundation/memory.h"

namespace {

std::string archivePath;

void readEntry(JamArchive& archive, const std::vector<uint8_t>& bytes, const std::string& name) {
    const uint8_t* record = archive.find(name.c_str());
    uint32_t size = 0xFFFFFFFF;
    uint8_t* data = archive.read(name.c_str(), size);
    if (data == nullptr)
        return;
    const JamEntryFields fields = jamEntryFields(record);
    if (size != fields.dataSize || uint64_t(fields.dataOffset) + size > bytes.size() ||
        (size != 0 && memcmp(data, bytes.data() + fields.dataOffset, size) != 0))
        abort();
    memFree(data, size);
}

void openAndReadAll(const std::vector<uint8_t>& bytes) {
    FILE* file = fopen(archivePath.c_str(), "wb");
    if (file == nullptr || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        fclose(file) != 0)
        abort();
    JamArchive archive;
    if (!archive.open(archivePath.c_str()))
        return;
    for (uint32_t slot = 0; slot < archive.slotCount(); ++slot) {
        const JamEntryFields fields = jamEntryFields(archive.slotRecord(slot));
        readEntry(archive, bytes, std::string(fields.name, fields.nameLength));
    }
    readEntry(archive, bytes, "Default.ntf");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    frameworkStartup(PrimeNodePool);
    const char* folder = getenv("TMPDIR");
    archivePath = std::string(folder != nullptr ? folder : "/tmp") + "/jam-fuzz-XXXXXX";
    const int descriptor = mkstemp(&archivePath[0]);
    if (descriptor < 0) {
        perror("archive_fuzz: mkstemp");
        exit(1);
    }
    close(descriptor);
    atexit([] { unlink(archivePath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    openAndReadAll(bytes);
    std::vector<uint8_t> mended = bytes;
    jam::reseal(mended);
    if (mended != bytes)
        openAndReadAll(mended);
    return 0;
}
