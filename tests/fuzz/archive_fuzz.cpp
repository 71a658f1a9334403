// Fuzzing harness of the archive reader: the input is the whole archive file. It is opened (and
// so verified whole); when it opens, every name found in its directory and "Default.ntf" are read.
// Random bytes seldom carry right checksums, so each input is tried twice: as it is, and with its
// three checksums made right, which lets the fuzzer reach the directory and the entries.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "foundation/framework.h"
#include "foundation/jam_archive.h"
#include "foundation/memory.h"
#include "jam_writer.h"

namespace {

std::string archivePath;

// Reads one entry of the open archive, whose file holds bytes: a block that comes back must be
// exactly the file's bytes at the record's data offset.
void readEntry(JamArchive& archive, const std::vector<uint8_t>& bytes, const char* name) {
    const uint8_t* record = archive.find(name);
    uint32_t size = 0xFFFFFFFF;
    uint8_t* data = archive.read(name, size);
    if (data == nullptr)
        return;
    JamEntryFields fields = jamEntryFields(record);
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
        JamEntryFields fields = jamEntryFields(archive.slotRecord(slot));
        std::string name(fields.name, fields.nameLength);
        readEntry(archive, bytes, name.c_str());
    }
    readEntry(archive, bytes, "Default.ntf");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    frameworkStartup(PrimeNodePool);
    const char* folder = getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/jam-fuzz-XXXXXX";
    int descriptor = mkstemp(&pattern[0]);
    if (descriptor < 0) {
        perror("archive_fuzz: mkstemp");
        exit(1);
    }
    close(descriptor);
    archivePath = pattern;
    atexit([] { unlink(archivePath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    openAndReadAll(bytes);
    std::vector<uint8_t> mended = bytes;
    jam::reseal(mended);
    if (mended != bytes)
        openAndReadAll(mended);
    return 0;
}
