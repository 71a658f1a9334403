// Every allocation of a generation made to fail in turn: each run ends in the "Out of memory"
// report, or, when the failed allocation was not needed, in the right NFO; no record is left.
#include <gtest/gtest.h>

#include "engine/engine_state.h"
#include "engine_test_support.h"
#include "foundation/list.h"
#include "foundation/memory.h"

namespace enginetest {
namespace {

TEST(OutOfMemoryTest, EveryAllocationFailureEndsInTheReportOrTheRightNfo) {
    const std::string text =
        "#TITLE 1 0 -1\n\n#REMARKS 2 1 2\nComments:\n\n#INSERTLINE 1\n|\nend\n";
    const RecordForm form = filledForm();
    const Generation good = generate(text, form);
    ASSERT_EQ((std::vector<bool>{false, true}), good.enableCalls);
    // The report up to its line number, which depends on where the allocation failed.
    std::string report = failureReport("Out of memory", 0);
    report.pop_back();
    int reports = 0;
    for (uint32_t n = 1; n <= 60; ++n) {
        SCOPED_TRACE(n);
        freeNodePool();  // so that list nodes are allocated during the run too
        ASSERT_TRUE(loadTemplateBytes(text.data(), static_cast<uint32_t>(text.size()), "Test.ntf"));
        failNthAllocation(n);
        const Generation g = runGeneration(form);
        failNthAllocation(0);
        unloadTemplate();
        if (g.enableCalls.back()) {
            EXPECT_EQ(good.output, g.output);
        } else {
            EXPECT_EQ(0u, g.preview.rfind(report, 0)) << g.preview;
            EXPECT_EQ("", g.output);
            ++reports;
        }
        EXPECT_EQ(0u, pendingInsertions.count);
    }
    EXPECT_GT(reports, 3) << "the sweep reached the engine's own allocations";
}

}  // namespace
}  // namespace enginetest
