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

// Each way this processor has gives the bit-at-a-time checksum from every start and every length up
// to past two steps of the widest folding (a tail of every size after each).
TEST(Crc32Test, EveryWayAsBitByBit) {
    uint8_t bytes[1200];
    for (uint32_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = static_cast<uint8_t>((i * 2654435761u) >> 24);
    for (Crc32Way way : {Crc32ByTables, Crc32ByFolding, Crc32ByWideFolding}) {
        if (!crc32WayAvailable(way))
            continue;
        for (uint32_t start = 0; start < 9; ++start) {
            uint32_t crc = ~0x5A5A5A5Au;  // the register of the bit-at-a-time CRC so far
            for (uint32_t length = 0;; ++length) {
                EXPECT_EQ(~crc, computeCrc32By(way, bytes + start, length, 0x5A5A5A5Au))
                    << way << ": " << start << "+" << length;
                if (start + length == sizeof bytes)
                    break;
                crc ^= bytes[start + length];
                for (int bit = 0; bit < 8; ++bit)
                    crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
            }
        }
    }
}
