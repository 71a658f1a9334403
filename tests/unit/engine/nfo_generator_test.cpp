// The generation driver end to end: the NFO, the failure report, and the output commands.
#include <gtest/gtest.h>

#include "engine/form_controls.h"
#include "engine_test_support.h"
#include "foundation/errors.h"

namespace enginetest {
namespace {

class NfoGeneratorTest : public EngineTest {};

TEST_F(NfoGeneratorTest, WorkedExampleByteForByte) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "Foo 1.0");
    form.setText(GeneralPage, GeneralControl::UploaderEdit, "Bob");
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    form.setText(VariousTextPage, VariousControl::CommentsEdit, "a\r\nbb");
    const std::string text =
        "#TITLE 1 0 -1\r\n"
        "\r\n"
        "#UPLOADBY 1 0 15\r\n"
        "Uploaded by:\r\n"
        "#REMARKS 2 1 2\r\n"
        "Comments:\r\n"
        "\r\n"
        "#FILLWAIT 1\r\n"
        "Fills after the repost only.\r\n";
    const std::string expected =
        "                                    Foo 1.0\r\n"
        "Uploaded by:   Bob\r\n"
        "Comments:\r\n"
        "  a\r\n"
        "  bb\r\n";
    expectSuccess(generate(text, form), expected);
}

TEST_F(NfoGeneratorTest, FailureReportIsFramedAndNamesTemplateAndLine) {
    const Generation result =
        generate(lfLines({"one", "two", "three", "four", "five", "six", "#NOSUCH 1 0 0", "eight"}));
    EXPECT_EQ(
        "\r\n     -----------------------\r\n    | NFO GENERATION FAILED |\r\n"
        "     -----------------------\r\n\r\nERROR:\r\nUnrecognised directive: NOSUCH\r\n\r\n"
        "Template: Test.ntf\r\nLine:     7",
        result.preview);
    EXPECT_EQ(std::vector<bool>{false}, result.enableCalls);
    EXPECT_TRUE(nfoOutput.isEmpty());
}

TEST_F(NfoGeneratorTest, ReportNamesTheTemplateAsLoaded) {
    expectFailure(generate("#oops\n", RecordForm(), "<Default>"), "Unrecognised directive: OOPS", 1,
                  "<Default>");
    // A null name is reported empty.
    loadTemplateText("#X\n");
    CurrentTemplate.name.clear();
    expectFailure(runGeneration(RecordForm()), "Unrecognised directive: X", 1, "");
}

TEST_F(NfoGeneratorTest, NoOrAnEmptyTemplateGivesAnEmptyNfoWithTheCommandsEnabled) {
    expectSuccess(generate(""), "");
    unloadTemplate();
    expectSuccess(runGeneration(RecordForm()), "");
}

TEST_F(NfoGeneratorTest, TemplateEndingWithAnInsertionPendingFails) {
    expectFailure(generate(lfLines({"art", "#TITLE 1 0 -1"})), "Unexpected end of file", 2);
    // Aimed past the end by its second parameter, with ordinary lines still following.
    expectFailure(generate(lfLines({"#TITLE 5 4 0", "a", "b", "c"})), "Unexpected end of file", 4);
}

// Each failure disables the commands and discards the previous NFO and its own partial output.
TEST_F(NfoGeneratorTest, FailureDisablesTheCommandsUntilTheNextSuccess) {
    expectFailure(generate("#TITLE 1 0 0\n"), "Unexpected end of file", 1);
    expectSuccess(generate("fine\n"), crlfLines({"fine"}));
    expectFailure(generate(lfLines({"kept?", "#TITLE 1 0 0", "#BROKEN"})),
                  "Unrecognised directive: BROKEN", 3);
}

TEST_F(NfoGeneratorTest, EachGenerationStartsFromScratch) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::ThanksCheck, true);
    form.setText(VariousTextPage, VariousControl::ThanksEdit, "x\r\ny");
    // An INSERTLINE block and a pending insertion are left behind by a failed generation.
    expectFailure(generate(lfLines({"#INSERTLINE 1", "~~~~~~", "#THANKSTO 9 8 0"}), form),
                  "Unexpected end of file", 3);
    // Neither the block nor the record reaches the next generation.
    expectSuccess(generate(lfLines({"#THANKSTO 1 0 1", "|"}), form), crlfLines({"|x", " y"}));
}

TEST_F(NfoGeneratorTest, LongMessageIsCutSoTheReportKeepsTemplateAndLine) {
    // A report is at most 4095 characters: a message that would pass that is cut, and the report
    // still ends with the template's name and the line number.
    const size_t room = 4095 - failureReport("", "Long.ntf", 2).size();
    for (size_t length : {3000u, 4000u, 100000u}) {
        RecordForm form;
        const std::string title(length, 'T');
        form.setText(GeneralPage, GeneralControl::TitleEdit, title.c_str());
        const std::string message = "Inserted text is longer than a line:\r\n" + title;
        const Generation result = generate("#TITLE 1 0 0\nline\n", form, "Long.ntf");
        expectFailure(result, message.substr(0, room), 2, "Long.ntf");
        EXPECT_EQ(length > 3000 ? 4095u : failureReport(message, "Long.ntf", 2).size(),
                  result.preview.size());
    }
}

TEST_F(NfoGeneratorTest, LongNfoIsCompleteAndExactlySized) {
    // Far more text than fits in one block of the output's working buffer.
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "title");
    std::string text;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        const std::string line = "line " + std::to_string(i) + std::string(i % 70, '.');
        text += "#TITLE 1 0 -1\n" + line + "\n";
        std::string merged = line;
        if (merged.size() < 37)
            merged.resize(37, ' ');
        merged.replace(37, 5, "title");
        expected += merged + "\r\n";
    }
    expectSuccess(generate(text, form), expected);
    EXPECT_EQ(expected.size(), nfoOutput.length());
}

TEST_F(NfoGeneratorTest, FailureReportCarriesTheCustomErrorCode) {
    generate("#X\n");
    EXPECT_EQ(static_cast<uint32_t>(CustomError), LastError.code);
    generate("#TITLE 1 0 0\n");
    EXPECT_EQ(static_cast<uint32_t>(UnexpectedEndOfFile), LastError.code);
}

}  // namespace
}  // namespace enginetest
