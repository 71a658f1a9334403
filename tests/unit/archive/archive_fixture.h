// Helpers for archive tests: archives are packed by the writer, changed byte by byte, and opened
// in a scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "foundation/byte_order.h"
#include "foundation/errors.h"
#include "foundation/jam_archive.h"
#include "foundation/jam_writer.h"
#include "foundation/memory.h"

typedef std::vector<uint8_t> Image;

inline jam::Entry entry(const std::string& name, const std::string& data, uint8_t method = 0) {
    return jam::Entry{name, std::vector<uint8_t>(data.begin(), data.end()), method};
}
inline Image encoded(const jam::Layout& layout) {
    Image image;
    std::string error;
    EXPECT_TRUE(jam::encode(layout, image, error)) << error;
    return image;
}
inline Image packed(const std::vector<jam::Entry>& entries) {
    jam::Layout layout;
    std::string error;
    EXPECT_TRUE(jam::plan(entries, layout, error)) << error;
    return encoded(layout);
}
inline std::string message() {
    return orEmpty(LastError.message);
}

class ArchiveTest : public ::testing::Test {
protected:
    // Entries of every kind a read meets; the big one spans four 64 KiB blocks of verification.
    static Image sample() {
        return packed({entry("Default.ntf", "line one\r\n"), entry("Big", std::string(200000, 'b')),
                       entry("High", "stored", 0xE0), entry("Low", "packed", 0x01),
                       entry("Five", "packed", 0x10), entry("Empty", "")});
    }
    // Writes the image as test.jam in the scratch folder and opens it.
    bool open(const Image& image) {
        folder.write("test.jam", std::string(image.begin(), image.end()));
        return archive.open("test.jam");
    }
    // The entry's data, or "error: " and the exact message of the failed read.
    std::string read(const char* name) {
        uint32_t size = 0;
        uint8_t* block = archive.read(name, size);
        std::string data = block ? std::string(block, block + size) : "error: " + message();
        memFree(block, size);
        return data;
    }
    // The standard message, ":\n" and the full path of test.jam.
    std::string withPath(const std::string& standard) const {
        return standard + ":\n" + folder.at("test.jam");
    }

    TempFolder folder;
    CurrentFolder inside{folder.path()};
    JamArchive archive;
};
