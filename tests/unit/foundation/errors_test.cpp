#include "foundation/errors.h"

#include <gtest/gtest.h>

namespace {

struct Expected {
    uint32_t code;
    const char* message;
};

TEST(ErrorsTest, EveryCodeHasItsStandardMessage) {
    const Expected table[] = {
        {0x0, "No error"},
        {0x2, "Out of memory"},
        {0x3, "Programatical error"},
        {0x100, "File system failure"},
        {0x101, "File not found"},
        {0x102, "File already exists"},
        {0x103, "Failed to open file"},
        {0x104, "Failed to read from file"},
        {0x105, "Failed to write to file"},
        {0x106, "Failed to seek in file"},
        {0x107, "Unexpected end of file"},
        {0x108, "Failed to delete file"},
        {0x109, "Failed to move file"},
        {0x200, "Windows error"},
        {0x201, "Failed to register window class"},
        {0x202, "Failed to create window"},
        {0x203, "Failed to create dialog box"},
        {0x204, "Windows Common Control failure"},
        {0x205, "Windows Clipboard failure"},
        {0x300, "OpenGL error"},
        {0x1000100, "File is too big for caching"},
        {0x1000200, "Ostrand block file failure"},
        {0x1000201, "Invalid Ostrand block file"},
        {0x1000202, "Invalid token in block file"},
        {0x1000203, "Block not found in block file"},
        {0x1000300, "Archive is invalid"},
        {0x1000301, "Archive is corrupt"},
        {0x1000302, "Archive version is too recent"},
        {0x1000303, "File not found in archive"},
    };
    for (const Expected& e : table) {
        EXPECT_STREQ(e.message, describeError(e.code).chars()) << std::hex << e.code;
    }
}

TEST(ErrorsTest, UnlistedValuesAreUnknownWithoutMasking) {
    for (uint32_t code : {0x4u, 0x10Au, 0x1FFu, 0x206u, 0x301u, 0x1000304u, 0xFFFFFFFFu}) {
        EXPECT_STREQ("Unknown error", describeError(code).chars()) << std::hex << code;
    }
}

TEST(ErrorsTest, CustomErrorHasNoStandardText) {
    String custom = describeError(CustomError);
    EXPECT_TRUE(custom.isEmpty());
    EXPECT_EQ(nullptr, custom.chars());
}

TEST(ErrorsTest, SetLastErrorRecordsCodeThenMessageWithDetails) {
    setLastError(CustomError, "Unable to use 'Terminal' font!");
    EXPECT_EQ(CustomError, LastError.code);
    EXPECT_STREQ("Unable to use 'Terminal' font!", LastError.message.chars());

    setLastError(FileNotFound, ": ", "Quenby.jam");
    EXPECT_EQ(FileNotFound, LastError.code);
    EXPECT_STREQ("File not found: Quenby.jam", LastError.message.chars());

    setLastError(ArchiveCorrupt, ":\n", "/tmp/Quenby.jam");
    EXPECT_STREQ("Archive is corrupt:\n/tmp/Quenby.jam", LastError.message.chars());

    setLastError(OutOfMemory);
    EXPECT_EQ(OutOfMemory, LastError.code);
    EXPECT_STREQ("Out of memory", LastError.message.chars());
}

}  // namespace
