#include "foundation/list.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "foundation/errors.h"
#include "foundation/framework.h"

namespace {

// Every test starts from an empty pool and leaves it empty.
class ListTest : public ::testing::Test {
protected:
    void SetUp() override { freeNodePool(); }
    void TearDown() override { freeNodePool(); }
};

std::string order(List& list) {
    std::string seen;
    forEachNode(
        list,
        [](List&, ListNode* node, void* context) {
            *static_cast<std::string*>(context) += *static_cast<const char*>(node->item);
        },
        &seen);
    return seen;
}

const char a = 'a', b = 'b', c = 'c', d = 'd';

void* item(const char& ch) {
    return const_cast<char*>(&ch);
}

TEST_F(ListTest, NewListIsEmptyAndVisitsNothing) {
    List list;
    EXPECT_EQ(nullptr, list.first);
    EXPECT_EQ(0u, list.count);
    list.clear();
    EXPECT_EQ("", order(list));
    EXPECT_EQ(nullptr, listWalk.last);
    EXPECT_EQ(0u, listWalk.more);
}

TEST_F(ListTest, AppendKeepsOrderPrependReverses) {
    List appended, prepended;
    for (const char* ch : {&a, &b, &c}) {
        ASSERT_TRUE(appended.append(item(*ch)));
        ASSERT_TRUE(prepended.prepend(item(*ch)));
    }
    EXPECT_EQ("abc", order(appended));
    EXPECT_EQ(3u, appended.count);
    EXPECT_EQ("cba", order(prepended));
    EXPECT_EQ(3u, prepended.count);
    EXPECT_EQ(appended.first->prev->item, item(c)) << "first.prev is the last node";
}

TEST_F(ListTest, RemovingFirstOrMiddleNode) {
    List list;
    for (const char* ch : {&a, &b, &c, &d})
        list.append(item(*ch));
    list.remove(list.first);
    EXPECT_EQ("bcd", order(list));
    EXPECT_EQ(item(b), list.first->item);
    EXPECT_EQ(3u, list.count);
    ListNode* firstBefore = list.first;
    list.remove(list.first->next);
    EXPECT_EQ("bd", order(list));
    EXPECT_EQ(firstBefore, list.first);
    EXPECT_EQ(2u, list.count);
}

// The visit may remove the node it is given: no node is skipped or visited twice.
TEST_F(ListTest, RemovingVisitedNodesDuringTraversal) {
    struct Case {
        const char* removed;
        const char* left;
    };
    for (const Case& each : {Case{"bd", "ac"}, Case{"abcd", ""}}) {
        SCOPED_TRACE(each.removed);
        List list;
        for (const char* ch : {&a, &b, &c, &d})
            list.append(item(*ch));
        std::pair<std::string, const char*> visit{"", each.removed};
        forEachNode(
            list,
            [](List& l, ListNode* node, void* context) {
                auto& v = *static_cast<std::pair<std::string, const char*>*>(context);
                const char ch = *static_cast<const char*>(node->item);
                v.first += ch;
                if (std::string(v.second).find(ch) != std::string::npos)
                    l.remove(node);
            },
            &visit);
        EXPECT_EQ("abcd", visit.first);
        EXPECT_EQ(each.left, order(list));
        EXPECT_EQ(std::strlen(each.left), list.count);
        if (list.count == 0)
            EXPECT_EQ(nullptr, list.first);
        EXPECT_EQ(124u + std::strlen(each.removed), nodePoolSize()) << "removed nodes are released";
        list.clear();
    }
}

TEST_F(ListTest, PoolGrowsByGrowthAndHandsOutLastAllocatedFirst) {
    EXPECT_EQ(0u, nodePoolSize());
    ListNode* node = acquireNode();
    ASSERT_NE(nullptr, node);
    EXPECT_EQ(127u, nodePoolSize());
    EXPECT_EQ(nullptr, node->next);
    EXPECT_EQ(nullptr, node->prev);
    EXPECT_EQ(nullptr, node->item);
    releaseNode(node);
    EXPECT_EQ(128u, nodePoolSize());
}

TEST_F(ListTest, ReleasedNodesAreReusedLastInFirstOut) {
    ListNode* first = acquireNode();
    ListNode* second = acquireNode();
    first->item = item(a);
    first->next = second;
    releaseNode(first);
    releaseNode(second);
    EXPECT_EQ(second, acquireNode());
    ListNode* again = acquireNode();
    EXPECT_EQ(first, again);
    EXPECT_EQ(nullptr, again->item) << "fields are zeroed";
    EXPECT_EQ(nullptr, again->next);
    releaseNode(again);
    releaseNode(second);
}

TEST_F(ListTest, ListsReachASteadyStateWithoutGrowing) {
    List list;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 100; ++i)
            ASSERT_TRUE(list.prepend(item(a)));
        list.clear();
        EXPECT_EQ(128u, nodePoolSize());
    }
}

TEST_F(ListTest, GrowAndStartup) {
    EXPECT_TRUE(growNodePool(0));
    EXPECT_EQ(0u, nodePoolSize());
    EXPECT_TRUE(frameworkStartup(0));
    EXPECT_EQ(0u, nodePoolSize());
    EXPECT_TRUE(frameworkStartup(PrimeNodePool));
    EXPECT_EQ(256u, nodePoolSize());
    EXPECT_TRUE(frameworkStartup(2)) << "other flag bits have no effect";
    EXPECT_EQ(256u, nodePoolSize());
    frameworkShutdown();
    EXPECT_EQ(0u, nodePoolSize());
    EXPECT_EQ(nullptr, nodePoolHead);
}

TEST_F(ListTest, FreeingThePoolLeavesListNodesAlone) {
    List list;
    list.append(item(a));
    list.append(item(b));
    freeNodePool();
    EXPECT_EQ("ab", order(list));
    list.clear();
}

}  // namespace
