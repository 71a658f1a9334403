// Inputs far beyond what a release needs: 100,000-character form texts, templates of 10 MiB, a
// template line of 1 MiB, NUL bytes in a template. The engine cuts or reports them and never
// reads or writes outside its buffers (the sanitizer build runs these too).
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class LongInputTest : public EngineTest {};

const size_t hundredThousand = 100000;

TEST_F(LongInputTest, HundredThousandCharacterCommentOnOneLineIsReported) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    const std::string comment(hundredThousand, 'c');
    form.setText(VariousTextPage, VariousControl::CommentsEdit, comment.c_str());
    const Generation result = generate(lfLines({"Comments:", "#REMARKS 1 0 2", ""}), form);
    const size_t room = 4095 - failureReport("", "Test.ntf", 3).size();
    expectFailure(result, ("Inserted text is longer than a line:\r\n" + comment).substr(0, room),
                  3);
    EXPECT_EQ(4095u, result.preview.size());
}

TEST_F(LongInputTest, HundredThousandCharacterCommentOfShortLinesIsPrintedWhole) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    std::string comment;
    std::string expected = "Comments:\r\n";
    for (size_t i = 0; comment.size() < hundredThousand; ++i) {
        const std::string line(1 + i % 76, static_cast<char>('a' + i % 26));
        comment += (i == 0 ? "" : "\r\n") + line;
        expected += "  " + line + "\r\n";
    }
    form.setText(VariousTextPage, VariousControl::CommentsEdit, comment.c_str());
    expectSuccess(generate(lfLines({"Comments:", "#REMARKS 1 0 2", ""}), form), expected);
}

TEST_F(LongInputTest, NulBytesEndLinesEvenInsideDirectives) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "T");
    // The parameters after the NUL belong to the next line, which is ordinary text.
    const char cut[] = "#TITLE 1\0 0 0\nx\n";
    expectFailure(generate(std::string(cut, sizeof(cut) - 1), form),
                  "Found only 1 parameters (expected 3) in directive: TITLE", 1);
    const char whole[] = "#TITLE 1 0 0\0\0a\0\0";
    expectSuccess(generate(std::string(whole, sizeof(whole) - 1), form), crlfLines({"T", "a", ""}));
}

TEST_F(LongInputTest, TenMebibyteTemplateIsMergedWhole) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "Title");
    const std::string background(100, '=');  // cut to 79 characters when read
    const std::string merged = background.substr(0, 37) + "Title" + background.substr(42, 37);
    std::string text;
    std::string expected;
    for (size_t i = 0; text.size() < 10u * 1024 * 1024; ++i) {
        text += i % 2 == 0 ? "#TITLE 1 0 -1\r\n" + background + "\r\n" : background + '\0';
        expected += (i % 2 == 0 ? merged : background.substr(0, 79)) + "\r\n";
    }
    const Generation result = generate(text, form);
    EXPECT_TRUE(result.commandsEnabled);
    EXPECT_EQ(expected.size(), nfoOutput.length());
    EXPECT_TRUE(expected == result.output);  // not EXPECT_EQ: a diff of 10 MiB helps nobody
}

TEST_F(LongInputTest, OneMebibyteLineIsCutTo79Characters) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "Title");
    const std::string line = std::string(1024 * 1024 - 1, 'x') + "y";
    expectSuccess(generate(line), crlfLines({line.substr(0, 79)}));
    // A directive line of 1 MiB: only its first 79 characters are parsed.
    expectSuccess(generate("#TITLE 1 0 0 " + line + "\n" + line + "\n", form),
                  crlfLines({"Title" + line.substr(0, 74)}));
    expectFailure(generate(std::string(79, '#') + " 1 0 0\n"),
                  "Unrecognised directive: " + std::string(78, '#'), 1);
}

}  // namespace
}  // namespace enginetest
