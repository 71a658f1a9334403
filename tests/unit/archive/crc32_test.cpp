#include "foundation/crc32.h"

#include <gtest/gtest.h>

#include <string>

// The standard check values, and a checksum continued from an earlier block's.
TEST(Crc32Test, StandardValuesAndContinuation) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    const struct {
        std::string bytes;
        uint32_t previous, crc;
    } cases[] = {
        // clang-format off
        {"123456789", 0, 0xCBF43926}, {std::string(32, '\0'), 0, 0x190A55AD}, {all, 0, 0x29058C73},
        {"\xFF\xFF\xFF\xFF", 0, 0xFFFFFFFF}, {"", 0, 0}, {"", 0x12345678, 0x12345678},
        {"56789", computeCrc32("1234", 4, 0), 0xCBF43926},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.crc, computeCrc32(c.bytes.data(), uint32_t(c.bytes.size()), c.previous));
}
