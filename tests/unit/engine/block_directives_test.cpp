// FILLWAIT and INSERTLINE: lines kept or dropped by the fill-request box, and the backgrounds of
// continuation lines.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class BlockDirectivesTest : public EngineTest {
protected:
    // A form whose comments have the given lines, switched on.
    static RecordForm withRemarks(const char* remarks) {
        RecordForm form;
        form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
        form.setText(VariousTextPage, VariousControl::CommentsEdit, remarks);
        return form;
    }
};

TEST_F(BlockDirectivesTest, FillWaitDropsItsLinesUnlessTheBoxIsChecked) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "T");
    const std::string text = lfLines({"a", "#FILLWAIT 3", "b", "#TITLE 1 0 0", "c", "d"});
    expectSuccess(generate(text, form), crlfLines({"a", "d"}));
    form.setChecked(UploadPage, UploadControl::FillWaitCheck, true);
    expectSuccess(generate(text, form), crlfLines({"a", "b", "T", "d"}));
}

TEST_F(BlockDirectivesTest, DroppedLinesAreNeverLookedAt) {
    // A broken directive among the dropped lines neither fails nor prints.
    expectSuccess(generate(lfLines({"#FILLWAIT 2", "#NONSENSE", "#TITLE 0 0 0", "kept"})),
                  crlfLines({"kept"}));
}

TEST_F(BlockDirectivesTest, FillWaitPastTheEndFailsOnlyWhenDropping) {
    const std::string text = lfLines({"a", "#FILLWAIT 5", "b", "c"});
    expectFailure(generate(text), "Unexpected end of file", 4);
    RecordForm form;
    form.setChecked(UploadPage, UploadControl::FillWaitCheck, true);
    expectSuccess(generate(text, form), crlfLines({"a", "b", "c"}));
}

TEST_F(BlockDirectivesTest, InsertLineBlocksOfEightLinesAtMostAndOrdinaryLinesOnly) {
    const std::string eight = lfLines({"#INSERTLINE 8", "1", "2", "3", "4", "5", "6", "7", "8"});
    expectSuccess(generate(eight + "after\n"), crlfLines({"after"}));
    expectFailure(
        generate(lfLines({"top", "#INSERTLINE 9", "1", "2", "3", "4", "5", "6", "7", "8", "9"})),
        "Cannot have more than 8 lines in an INSERTLINE directive!", 2);
    expectFailure(generate(lfLines({"#INSERTLINE 3", "ok", "#COMMENT", "ok"})),
                  "Directive found in INSERTLINE section!", 3);
    expectFailure(generate(lfLines({"#INSERTLINE 3", "one", "two"})), "Unexpected end of file", 3);
}

TEST_F(BlockDirectivesTest, ContinuationLinesCycleOverTheBlock) {
    // Block lines 1, 2, 1 under the three continuation lines of a four-line field.
    expectSuccess(
        generate(lfLines({"#INSERTLINE 2", "[....]", "{....}", "#REMARKS 1 0 1", "<....>", "end"}),
                 withRemarks("a\r\nb\r\nc\r\nd")),
        crlfLines({"<a...>", "[b...]", "{c...}", "[d...]", "end"}));
}

TEST_F(BlockDirectivesTest, WithoutABlockContinuationLinesHaveAnEmptyBackground) {
    expectSuccess(generate(lfLines({"#REMARKS 1 0 3", "ab"}), withRemarks("x\r\ny\r\nz")),
                  crlfLines({"ab x", "   y", "   z"}));
}

TEST_F(BlockDirectivesTest, TheBlockInForceAtTheTargetLineIsUsed) {
    // Taken after the field directive but before its target line; then replaced by a later one.
    const std::string text =
        lfLines({"#INSERTLINE 1", "111111", "#REMARKS 4 3 0", "#INSERTLINE 1", "222222", "x",
                 "field", "#INSERTLINE 1", "333333", "#REMARKS 1 0 0", "other"});
    expectSuccess(generate(text, withRemarks("A\r\nB")),
                  crlfLines({"x", "Aield", "B22222", "Ather", "B33333"}));
}

}  // namespace
}  // namespace enginetest
