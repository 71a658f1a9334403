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

// Eight bytes a step gives the bit-at-a-time checksum from every start and length around a step.
TEST(Crc32Test, AnyStartAndLengthAsBitByBit) {
    uint8_t bytes[40];
    for (int i = 0; i < 40; ++i)
        bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    for (uint32_t start = 0; start < 9; ++start) {
        for (uint32_t length = 0; start + length <= 40; ++length) {
            uint32_t crc = ~0x5A5A5A5Au;
            for (uint32_t i = start; i < start + length; ++i) {
                crc ^= bytes[i];
                for (int bit = 0; bit < 8; ++bit)
                    crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
            }
            EXPECT_EQ(~crc, computeCrc32(bytes + start, length, 0x5A5A5A5Au))
                << start << "+" << length;
        }
    }
}
