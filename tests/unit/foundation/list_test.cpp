// List, its process-wide node pool, and the framework's start-up, which primes the pool.
#include "foundation/list.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/errors.h"
#include "foundation/framework.h"
#include "foundation/memory.h"

// Every test starts from an empty pool and leaves it empty.
class ListTest : public ::testing::Test {
protected:
    void SetUp() override { freeNodePool(); }
    void TearDown() override { failNthAllocation(0), freeNodePool(); }
};

// Items are letters: lower case ones appended, upper case ones prepended. A traversal removes
// the letters it is told to; each row gives the letters visited, "|", then those left from last
// to first along prev. Nodes in lists survive the pool being freed.
TEST_F(ListTest, InsertionAndRemovalKeepTheRing) {
    const char* const cases[][3] = {
        // clang-format off
        {"", "", "|"}, {"abc", "", "abc|cba"}, {"abC", "", "Cab|baC"}, {"a", "a", "a|"},
        {"abcd", "bd", "abcd|ca"}, {"abcd", "abcd", "abcd|"}, {"abcd", "a", "abcd|dcb"},
        {"abcd", "d", "abcd|cba"}, {"abcd", "c", "abcd|dba"},
        // clang-format on
    };
    for (const auto& c : cases) {
        List list;
        for (const char* a = c[0]; *a != 0; ++a)
            ASSERT_TRUE(*a >= 'a' ? list.append(const_cast<char*>(a))
                                  : list.prepend(const_cast<char*>(a)));
        freeNodePool();
        std::string walked = std::string(c[1]) + "#";  // then the letters visited
        forEachNode(
            list,
            [](List& l, ListNode* visited, void* context) {
                std::string& text = *static_cast<std::string*>(context);
                const char letter = *static_cast<const char*>(visited->item);
                if (text.find(letter) < text.find('#'))
                    l.remove(visited);
                text += letter;
            },
            &walked);
        walked = walked.substr(walked.find('#') + 1) + "|";
        ListNode* node = list.first;
        for (uint32_t i = 0; i < list.count; ++i)
            walked += *static_cast<const char*>((node = node->prev)->item);
        EXPECT_EQ(c[2], walked);
        EXPECT_EQ(list.count == 0, list.first == nullptr) << c[2];
    }
}

// Start-up primes the pool with 256 nodes only when asked to; nodes cleared from lists are used
// again; a growth that fails part way releases the whole pool; an insertion without a node leaves
// the list alone; a start-up that cannot prime the pool records OutOfMemory.
TEST_F(ListTest, ThePoolIsPrimedOnRequestAndReleasedWhenMemoryRunsOut) {
    EXPECT_TRUE(frameworkStartup(2) && nodePoolSize() == 0) << "other flag bits have no effect";
    List list;
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(list.prepend(nullptr));
        if (i % 100 == 99)
            list.clear();
    }
    EXPECT_EQ(128u, nodePoolSize()) << "one growth";
    frameworkShutdown();
    EXPECT_TRUE(frameworkStartup(PrimeNodePool));
    EXPECT_EQ(256u, nodePoolSize());
    failNthAllocation(3);
    EXPECT_FALSE(growNodePool(10));
    EXPECT_EQ(0u, nodePoolSize());
    failNthAllocation(1);
    EXPECT_FALSE(list.append(nullptr));
    EXPECT_TRUE(list.first == nullptr && list.count == 0);
    setLastError(NoError);
    failNthAllocation(100);
    EXPECT_FALSE(frameworkStartup(PrimeNodePool));
    EXPECT_STREQ("Out of memory", LastError.message.chars());
    EXPECT_EQ(0u, nodePoolSize());
}
