// The byte primitives: copy and fill by words with a byte tail, and the C-string helpers.
#include "foundation/memory.h"

#include <gtest/gtest.h>

#include <string>

TEST(MemoryTest, CopyAndFillWriteExactlyTheCountAtAnyAlignment) {
    const char source[] = "abcdefghijklmnopqrstuvwxyz";
    for (uint32_t offset = 0; offset < 4; ++offset) {
        for (uint32_t count = 0; count <= 16; ++count) {
            std::string copied(24, '.'), filled(24, '.');
            EXPECT_EQ(&copied[offset + count],
                      memCopy(&copied[offset], source + 3 - offset, count));
            EXPECT_EQ(&filled[offset + count], memFill(&filled[offset], 0xAB, count));
            const std::string before(offset, '.'), after(24 - offset - count, '.');
            EXPECT_EQ(before + std::string(source + 3 - offset, count) + after, copied);
            EXPECT_EQ(before + std::string(count, '\xAB') + after, filled);
        }
    }
}

TEST(MemoryTest, StringsCompareByteByByteAsUnsignedValues) {
    const struct {
        const char *a, *b;
        int order;
    } cases[] = {{"abc", "abc", 0}, {"A", "\xE9", -1}, {"\xE9", "A", 1},
                 {"ab", "abc", -1}, {"abc", "ab", 1},  {"", "", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.order, strCompare(c.a, c.b)) << c.a << " : " << c.b;
    std::string buffer(6, 'z');
    EXPECT_EQ(&buffer[0], strCopy(&buffer[0], "abc"));
    EXPECT_EQ(std::string("abc\0zz", 6), buffer);
}
