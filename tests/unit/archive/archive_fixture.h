// Helpers for archive tests: archives are packed by the writer into a scratch folder, then
// damaged byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "foundation/crc32.h"
#include "foundation/errors.h"
#include "foundation/jam_archive.h"
#include "jam_writer.h"

// A header field the reader does not read, though its checksum covers it.
const size_t unreadHeaderAt = 32;

jam::Entry entry(const std::string& name, const std::string& data, uint8_t method = 0);
std::vector<uint8_t> packed(const std::vector<jam::Entry>& entries);
std::vector<uint8_t> encoded(const jam::Layout& layout);
// The writer's layout of the entries, to be changed before it is encoded.
jam::Layout planned(const std::vector<jam::Entry>& entries);
// Recomputes the header checksum only, so that a damaged directory checksum stays wrong.
void resealHeader(std::vector<uint8_t>& image);

uint32_t getU32(const std::vector<uint8_t>& image, size_t at);
void putU32(std::vector<uint8_t>& image, size_t at, uint32_t value);
// Offset in the image of the record that slot leads to.
size_t recordAt(const std::vector<uint8_t>& image, uint32_t slot);
// Offset in the image where the data section starts.
size_t dataStart(const std::vector<uint8_t>& image);

class ArchiveTest : public ::testing::Test {
protected:
    // Writes the image as test.jam in the current (scratch) folder.
    void writeArchive(const std::vector<uint8_t>& image, const std::string& name = "test.jam");
    // Writes the image, opens it and expects the open to fail with the code and exact message.
    void expectOpenFails(const std::vector<uint8_t>& image, uint32_t code,
                         const std::string& message);
    void expectOpens(const std::vector<uint8_t>& image);
    // The entry's data as read, or "<failed>".
    std::string readEntry(const char* name);
    // "<standard message>:\n<full path of test.jam>"
    static std::string withPath(const char* standardMessage);

    TempFolder folder;
    CurrentFolder inside{folder.path()};
    JamArchive archive;
};
