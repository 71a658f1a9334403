#include "archive/archive_fixture.h"

#include <stdexcept>

#include "foundation/memory.h"

jam::Entry entry(const std::string& name, const std::string& data, uint8_t method) {
    jam::Entry made;
    made.name = name;
    made.data.assign(data.begin(), data.end());
    made.method = method;
    return made;
}

jam::Layout planned(const std::vector<jam::Entry>& entries) {
    jam::Layout layout;
    std::string error;
    if (!jam::plan(entries, layout, error))
        throw std::runtime_error(error);
    return layout;
}

std::vector<uint8_t> packed(const std::vector<jam::Entry>& entries) {
    return encoded(planned(entries));
}

void resealHeader(std::vector<uint8_t>& image) {
    putU32(image, jamHeaderChecksumAt,
           computeCrc32(image.data() + jamCheckedHeaderStart, jamHeaderSize - jamCheckedHeaderStart,
                        0));
}

std::vector<uint8_t> encoded(const jam::Layout& layout) {
    std::vector<uint8_t> image;
    std::string error;
    if (!jam::encode(layout, image, error))
        throw std::runtime_error(error);
    return image;
}

uint32_t getU32(const std::vector<uint8_t>& image, size_t at) {
    return image.at(at) | (uint32_t(image.at(at + 1)) << 8) | (uint32_t(image.at(at + 2)) << 16) |
           (uint32_t(image.at(at + 3)) << 24);
}

void putU32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        image.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

size_t recordAt(const std::vector<uint8_t>& image, uint32_t slot) {
    return jamHeaderSize + getU32(image, jamHeaderSize + 4 * slot);
}

size_t dataStart(const std::vector<uint8_t>& image) {
    return jamHeaderSize + getU32(image, jamDirectorySizeAt);
}

void ArchiveTest::writeArchive(const std::vector<uint8_t>& image, const std::string& name) {
    folder.write(name, image);
}

void ArchiveTest::expectOpenFails(const std::vector<uint8_t>& image, uint32_t code,
                                  const std::string& message) {
    writeArchive(image);
    LastError.code = NoError;
    EXPECT_FALSE(archive.open("test.jam"));
    EXPECT_FALSE(archive.isOpen());
    EXPECT_EQ(0u, archive.slotCount());
    EXPECT_EQ(code, LastError.code);
    EXPECT_EQ(message, LastError.message.chars() != nullptr ? LastError.message.chars() : "<null>");
    EXPECT_STREQ(CurrentFolder::pathOf("test.jam").c_str(), archive.path.chars())
        << "the path stays after a failed open";
}

void ArchiveTest::expectOpens(const std::vector<uint8_t>& image) {
    writeArchive(image);
    EXPECT_TRUE(archive.open("test.jam")) << LastError.message.chars();
    EXPECT_TRUE(archive.isOpen());
}

std::string ArchiveTest::readEntry(const char* name) {
    uint32_t size = 0xDEAD;
    uint8_t* block = archive.read(name, size);
    if (block == nullptr)
        return "<failed>";
    std::string data(reinterpret_cast<char*>(block), size);
    memFree(block, size);
    return data;
}

std::string ArchiveTest::withPath(const char* standardMessage) {
    return std::string(standardMessage) + ":\n" + CurrentFolder::pathOf("test.jam");
}
