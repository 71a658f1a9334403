// The standard message of every code, and the record before any failure.
#include "foundation/errors.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ErrorsTest, EveryCodeHasItsStandardMessage) {
    const char* unknown = "Unknown error";
    // Codes nothing raises are left out; those around the groups have no message of their own.
    const struct {
        uint32_t code;
        const char* message;  // null: CustomError has no standard text
    } cases[] = {
        // clang-format off
        {0x0, "No error"}, {0x1, nullptr}, {0x2, "Out of memory"}, {0x101, "File not found"},
        {0x103, "Failed to open file"}, {0x104, "Failed to read from file"},
        {0x105, "Failed to write to file"}, {0x106, "Failed to seek in file"},
        {0x107, "Unexpected end of file"}, {0x109, "Failed to move file"}, {0x200, "Windows error"},
        {0x203, "Failed to create dialog box"}, {0x204, "Windows Common Control failure"},
        {0x205, "Windows Clipboard failure"}, {0x1000300, "Archive is invalid"},
        {0x1000301, "Archive is corrupt"}, {0x1000302, "Archive version is too recent"},
        {0x1000303, "File not found in archive"}, {0x4, unknown}, {0x10A, unknown},
        {0x206, unknown}, {0x1000304, unknown}, {0xFFFFFFFF, unknown},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.message, describeError(c.code).chars()) << std::hex << c.code;
}

// Looked at in a fresh process, where nothing has failed yet, whatever tests ran before here.
TEST(LastErrorInitialStateTest, LastErrorStartsAsNoError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(LastError.code == NoError && LastError.message == "No error" ? 0 : 1),
                ::testing::ExitedWithCode(0), "");
}
