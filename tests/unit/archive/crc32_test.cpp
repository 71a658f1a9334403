#include "foundation/crc32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint32_t crcOf(const std::string& text, uint32_t previous = 0) {
    return computeCrc32(text.data(), uint32_t(text.size()), previous);
}

TEST(Crc32Test, MatchesTheStandardCheckValues) {
    EXPECT_EQ(0xCBF43926u, crcOf("123456789"));
    EXPECT_EQ(0x190A55ADu, crcOf(std::string(32, '\0')));
    EXPECT_EQ(0xFFFFFFFFu, crcOf(std::string(4, '\xFF')));
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(0x29058C73u, crcOf(all));
    EXPECT_EQ(0u, computeCrc32(nullptr, 0, 0));
    EXPECT_EQ(0x12345678u, computeCrc32(nullptr, 0, 0x12345678)) << "nothing leaves previous";
}

TEST(Crc32Test, BlocksContinueFromThePreviousResult) {
    std::string whole = "Archives are verified whole before any entry is read.";
    for (size_t cut = 0; cut <= whole.size(); cut += 7) {
        EXPECT_EQ(crcOf(whole), crcOf(whole.substr(cut), crcOf(whole.substr(0, cut)))) << cut;
    }
}

}  // namespace
