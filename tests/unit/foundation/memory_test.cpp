#include "foundation/memory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(MemoryTest, CopyAndFillHandleEveryTailLength) {
    const char source[] = "0123456789abcdef";
    for (uint32_t count = 0; count <= 16; ++count) {
        char destination[20];
        std::memset(destination, '.', sizeof destination);
        void* end = memCopy(destination, source, count);
        EXPECT_EQ(destination + count, end);
        EXPECT_EQ(0, std::memcmp(destination, source, count));
        EXPECT_EQ('.', destination[count]) << "no byte past the count is written";

        std::memset(destination, '.', sizeof destination);
        end = memFill(destination, 0xAB, count);
        EXPECT_EQ(destination + count, end);
        for (uint32_t i = 0; i < count; ++i)
            EXPECT_EQ('\xAB', destination[i]);
        EXPECT_EQ('.', destination[count]);
    }
}

TEST(MemoryTest, CopyWorksAtUnalignedAddresses) {
    char source[32], destination[32];
    for (int i = 0; i < 32; ++i)
        source[i] = static_cast<char>(i);
    std::memset(destination, 0, sizeof destination);
    EXPECT_EQ(destination + 1 + 23, memCopy(destination + 1, source + 3, 23));
    EXPECT_EQ(0, std::memcmp(destination + 1, source + 3, 23));
}

TEST(MemoryTest, StringPrimitives) {
    EXPECT_EQ(0u, strLength(""));
    EXPECT_EQ(3u, strLength("abc"));
    EXPECT_EQ(0, strCompare("abc", "abc"));
    EXPECT_EQ(-1, strCompare("A", "\xE9"));
    EXPECT_EQ(1, strCompare("\xE9", "A"));
    EXPECT_EQ(-1, strCompare("ab", "abc"));
    EXPECT_EQ(1, strCompare("abc", "ab"));
    EXPECT_EQ(0, strCompare("", ""));
    char buffer[8];
    std::memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(buffer, strCopy(buffer, "abc"));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('z', buffer[4]);
}

TEST(MemoryTest, AllocationOfZeroBytesIsAUsableBlock) {
    void* block = memAlloc(0);
    ASSERT_NE(nullptr, block);
    memFree(block, 0);
    void* grown = memRealloc(memAlloc(4), 4, 16);
    ASSERT_NE(nullptr, grown);
    memFree(grown, 16);
    memFree(nullptr, 0);
}

}  // namespace
