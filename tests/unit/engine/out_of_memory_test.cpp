// A generation that runs out of memory at any allocation fails cleanly with "Out of memory" (or,
// when the failing allocation was not needed for the result, still gives the right NFO).
#include <gtest/gtest.h>

#include "engine/engine_state.h"
#include "engine_test_support.h"
#include "foundation/errors.h"
#include "foundation/list.h"
#include "foundation/memory.h"

namespace {

using enginetest::generate;

const char* const templateText =
    "#TITLE 1 0 -1\n"
    "\n"
    "#REMARKS 2 1 2\n"
    "Comments:\n"
    "\n"
    "#INSERTLINE 1\n"
    "|\n"
    "end\n";

TEST(OutOfMemoryTest, EveryAllocationFailureEndsInTheReportOrTheRightText) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "Foo 1.0");
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    form.setText(VariousTextPage, VariousControl::CommentsEdit, "a\r\nbb\r\nccc");

    const enginetest::Generation good = generate(templateText, form);
    ASSERT_TRUE(good.commandsEnabled);

    // The report up to the line number, which depends on where the allocation failed.
    std::string oomReport = enginetest::failureReport("Out of memory", "Test.ntf", 0);
    oomReport.pop_back();
    int reports = 0;
    for (uint32_t n = 1; n <= 60; ++n) {
        freeNodePool();  // so that list nodes are allocated during the run too
        enginetest::loadTemplateText(templateText);
        failNthAllocation(n);
        const enginetest::Generation g = enginetest::runGeneration(form);
        failNthAllocation(0);
        if (g.commandsEnabled) {
            EXPECT_EQ(good.preview, g.preview) << "allocation " << n;
        } else {
            EXPECT_EQ(0u, g.preview.rfind(oomReport, 0)) << "allocation " << n << ":\n"
                                                         << g.preview;
            EXPECT_TRUE(nfoOutput.isEmpty());
            ++reports;
        }
        EXPECT_EQ(0u, pendingInsertions.count) << "no record is left queued";
    }
    EXPECT_GT(reports, 3) << "the sweep reached the engine's own allocations";
}

}  // namespace
