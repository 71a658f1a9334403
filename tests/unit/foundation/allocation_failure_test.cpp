// What each framework operation does when the heap runs dry.
#include <gtest/gtest.h>

#include "foundation/errors.h"
#include "foundation/framework.h"
#include "foundation/list.h"
#include "foundation/memory.h"
#include "foundation/string.h"

namespace {

class AllocationFailureTest : public ::testing::Test {
protected:
    void SetUp() override { freeNodePool(); }
    void TearDown() override {
        failNthAllocation(0);
        freeNodePool();
    }
};

TEST_F(AllocationFailureTest, StringsThatLoseTheirAllocationAreNull) {
    failNthAllocation(1);
    String built("abc");
    EXPECT_EQ(nullptr, built.chars());

    String appended("abc");
    failNthAllocation(1);
    appended.append("def");
    EXPECT_EQ(nullptr, appended.chars()) << "the previous contents are lost";

    String resized("abc");
    failNthAllocation(1);
    EXPECT_FALSE(resized.resize(10));
    EXPECT_STREQ("abc", resized.chars()) << "a failed resize leaves the String untouched";

    String formatted("kept");
    failNthAllocation(1);
    formatted.format("%s", "new");
    EXPECT_STREQ("kept", formatted.chars()) << "no scratch buffer: the String keeps its text";

    String source("abc");
    failNthAllocation(1);
    EXPECT_EQ(nullptr, source.mid(1).chars());
}

TEST_F(AllocationFailureTest, PoolGrowthFailingPartWayReleasesThePool) {
    ASSERT_TRUE(growNodePool(5));
    failNthAllocation(3);
    EXPECT_FALSE(growNodePool(10));
    EXPECT_EQ(0u, nodePoolSize());
    EXPECT_EQ(nullptr, nodePoolHead);
}

TEST_F(AllocationFailureTest, ListInsertionFailsWithoutTouchingTheList) {
    List list;
    failNthAllocation(1);
    EXPECT_FALSE(list.append(nullptr));
    EXPECT_EQ(nullptr, list.first);
    EXPECT_EQ(0u, list.count);
    EXPECT_TRUE(list.append(nullptr)) << "the next request grows the pool again";
    list.clear();
}

TEST_F(AllocationFailureTest, StartupRecordsOutOfMemoryWhenPrimingFails) {
    setLastError(NoError);
    failNthAllocation(100);
    EXPECT_FALSE(frameworkStartup(PrimeNodePool));
    EXPECT_EQ(OutOfMemory, LastError.code);
    EXPECT_STREQ("Out of memory", LastError.message.chars());
    EXPECT_EQ(0u, nodePoolSize());
}

}  // namespace
