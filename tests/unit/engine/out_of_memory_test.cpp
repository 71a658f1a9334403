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
    const RecordForm form = formFile();
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

// A form text that could not be read (the form ran out of memory copying it) ends the generation
// in the report, whether it is a field's whole text, a part of a composed one or a multi-line one.
TEST(OutOfMemoryTest, AFormTextThatCouldNotBeReadEndsInTheReport) {
    struct LosingForm : RecordForm {
        LosingForm(FormPage page, uint32_t control, unsigned line)
            : RecordForm(formFile()), page(page), control(control), line(line) {}
        String text(FormPage p, uint32_t c) const override {
            return p == page && c == control ? String() : RecordForm::text(p, c);
        }
        FormPage page;
        uint32_t control;
        unsigned line;  // the one the report names
    };
    const std::string text = "#TITLE 1 0 -1\n\n#PACKAGESIZE 1 0 -1\n\n#REMARKS 1 0 2\n\n";
    ASSERT_TRUE(generate(text, formFile()).succeeded());
    for (const LosingForm& form :
         {LosingForm(GeneralPage, TitleEdit, 2), LosingForm(GeneralPage, PackedEdit, 4),
          LosingForm(VariousTextPage, CommentsEdit, 6)})
        expectFailure(generate(text, form), "Out of memory", form.line);
}

}  // namespace
}  // namespace enginetest
