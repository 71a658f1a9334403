// Field directives from gate to output line: the queue of pending insertions, centring, the merge
// over the background, and the width limits.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class InsertionTest : public EngineTest {
protected:
    static RecordForm withTitle(const std::string& title) {
        RecordForm form;
        form.setText(GeneralPage, GeneralControl::TitleEdit, title.c_str());
        return form;
    }
    // The output of "#TITLE 1 0 column" over the background line.
    static Generation titleAt(const std::string& title, int column, const std::string& line = "") {
        return generate("#TITLE 1 0 " + std::to_string(column) + "\n" + line + "\n",
                        withTitle(title));
    }
};

TEST_F(InsertionTest, TextLandsAtItsColumnOverTheBackground) {
    struct Case {
        std::string title;
        int column;
        std::string background, expected;
    };
    const Case cases[] = {
        // Centred text has its extra space on the right.
        {"123456789", -1, "", std::string(35, ' ') + "123456789"},
        {"1234567890", -1, "", std::string(34, ' ') + "1234567890"},
        {std::string(79, 'w'), -1, "", std::string(79, 'w')},
        // Centring ignores the background: the text goes over it at the computed column.
        {"ab", -1, std::string(79, '.'), std::string(38, '.') + "ab" + std::string(39, '.')},
        // An empty field pads the line to its column.
        {"", 5, "ab", "ab   "},
        {"", -1, "", std::string(39, ' ')},
        {"", 2, "abcdef", "abcdef"},
        // Text overwrites the background and the rest survives.
        {"XYZ", 4, "0123456789", "0123XYZ789"},
        {"XYZ", 5, "01", "01   XYZ"},
        {"XYZ", 0, "0123456789  ", "XYZ3456789  "},
        {"XYZ", 8, "0123456789", "01234567XYZ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + " at " + std::to_string(c.column) + " over " + c.background);
        expectSuccess(titleAt(c.title, c.column, c.background), crlfLines({c.expected}));
    }
}

TEST_F(InsertionTest, WidthLimits) {
    const std::string seventyNine(79, 'w');
    const std::string eighty(80, 'w');
    expectSuccess(titleAt("z", 78), crlfLines({std::string(78, ' ') + "z"}));
    expectFailure(titleAt("zz", 78), "Inserted text is too long for line:\r\nzz", 2);
    expectFailure(titleAt(seventyNine, 1), "Inserted text is too long for line:\r\n" + seventyNine,
                  2);
    expectSuccess(titleAt(seventyNine, 0), crlfLines({seventyNine}));
    for (int column : {-1, 0, 40}) {
        SCOPED_TRACE(column);
        expectFailure(titleAt(eighty, column), "Inserted text is longer than a line:\r\n" + eighty,
                      2);
    }
    // The merged line is measured, not the background: a full background takes any fitting text.
    expectSuccess(titleAt("end", 76, seventyNine), crlfLines({std::string(76, 'w') + "end"}));
}

TEST_F(InsertionTest, ContinuationLineFailureReportsTheTargetLine) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::InstallCheck, true);
    const std::string tooLong(60, 'i');
    form.setText(VariousTextPage, VariousControl::InstallEdit, ("ok\r\n" + tooLong).c_str());
    expectFailure(generate(lfLines({"top", "#INSTALLINF 1 0 30", "target", "after"}), form),
                  "Inserted text is too long for line:\r\n" + tooLong, 3);
}

TEST_F(InsertionTest, MultiLineFieldWithATrailingLineBreakAddsABackgroundLine) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    form.setText(VariousTextPage, VariousControl::CommentsEdit, "one\r\ntwo\r\nthree\r\n");
    expectSuccess(generate(lfLines({"#INSERTLINE 1", ":", "#REMARKS 1 0 2", "*", "end"}), form),
                  crlfLines({"* one", ": two", ": three", ": ", "end"}));
}

TEST_F(InsertionTest, LongMultiLineFieldKeepsEveryLineInOrder) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::ThanksCheck, true);
    std::string thanks;
    std::string expected = "<0\r\n";
    for (int i = 0; i < 500; ++i) {
        thanks += (i == 0 ? "" : "\r\n") + std::to_string(i);
        if (i != 0)
            expected += std::string(1, "abc"[(i - 1) % 3]) + std::to_string(i) + "\r\n";
    }
    form.setText(VariousTextPage, VariousControl::ThanksEdit, thanks.c_str());
    expectSuccess(generate(lfLines({"#INSERTLINE 3", "a", "b", "c", "#THANKSTO 1 0 1", "<"}), form),
                  expected);
}

TEST_F(InsertionTest, ClosedGateDropsTheGovernedLinesEvenWithDirectives) {
    // Keygen is off: its four lines go, with the broken directive and the insertion among them.
    const std::string text = lfLines({"head", "#KEYGENBY 4 0 0", "Keygen:", "#NOPE 0 0 0",
                                      "#TITLE 1 0 0", "title line", "tail"});
    expectSuccess(generate(text), crlfLines({"head", "tail"}));
    RecordForm form;
    form.setChecked(GeneralPage, GeneralControl::KeygenByCheck, true);
    expectFailure(generate(text, form), "Unrecognised directive: NOPE", 4);
}

TEST_F(InsertionTest, PendingRecordsThatCannotLandFail) {
    struct Case {
        std::string text;
        std::string message;
        unsigned line;
    };
    const std::string sameLine = "Multiple directives are trying to insert text on the same line!";
    const std::string removed = "A directive's line of insertion was removed by another directive!";
    const Case cases[] = {
        // A closed gate reaching the end.
        {lfLines({"#SERIALNUM 3 0 0", "only one"}), "Unexpected end of file", 2},
        // Two directives on one line fail when the line is reached.
        {lfLines({"#TITLE 3 2 0", "#UPLOADBY 2 1 0", "first", "second", "third"}), sameLine, 4},
        // A target on a directive line is reported at the next ordinary line...
        {lfLines({"#TITLE 2 0 0", "#COMMENT", "#COMMENT", "text"}), removed, 4},
        // ...and with no ordinary line after it, the record is still pending at the end.
        {lfLines({"#TITLE 2 0 0", "#COMMENT", "#COMMENT"}), "Unexpected end of file", 3},
        // A target dropped by FILLWAIT or taken by INSERTLINE is removed.
        {lfLines({"#TITLE 2 1 0", "#FILLWAIT 1", "gone", "next"}), removed, 4},
        {lfLines({"#TITLE 2 1 0", "#INSERTLINE 1", "taken", "next"}), removed, 4},
        // Pending records are walked newest first. Line 6 is wanted by two records queued after
        // the one whose line 5 was a directive line: walking from the newest, they meet first.
        {lfLines(
             {"#TITLE 4 3 0", "#UPLOADBY 4 3 0", "#SOFTWARE 3 2 0", "#COMMENT", "#COMMENT", "six"}),
         sameLine, 6},
        // The other way round: the newest record's line was removed, and that decides.
        {lfLines(
             {"#UPLOADBY 5 4 0", "#SOFTWARE 4 3 0", "#TITLE 2 1 0", "#COMMENT", "#COMMENT", "six"}),
         removed, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        expectFailure(generate(c.text), c.message, c.line);
    }
}

TEST_F(InsertionTest, OpenGateKeepsTheGovernedLines) {
    RecordForm form;
    form.setChecked(GeneralPage, GeneralControl::SerialCheck, true);
    form.setText(GeneralPage, GeneralControl::SerialEdit, "123-456");
    expectSuccess(generate(lfLines({"#SERIALNUM 3 1 8", "Serial", "Serial:", "-"}), form),
                  crlfLines({"Serial", "Serial: 123-456", "-"}));
}

TEST_F(InsertionTest, InsertionsLandInTemplateOrderWhateverTheQueueOrder) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "T");
    form.setText(GeneralPage, GeneralControl::UploaderEdit, "U");
    form.setText(GeneralPage, GeneralControl::SoftwareEdit, "S");
    expectSuccess(generate(lfLines({"#TITLE 6 5 1", "#UPLOADBY 2 1 1", "#SOFTWARE 2 1 1", "a", "b",
                                    "c", "d"}),
                           form),
                  crlfLines({"aU", "bS", "c", "dT"}));
}

TEST_F(InsertionTest, FormTextsAreReadWhenTheTargetLineIsReached) {
    // The gate is read at the directive line; closing it afterwards does not recall the record.
    class ChangingForm : public RecordForm {
    public:
        bool isChecked(FormPage page, uint32_t control) const override {
            ++reads;
            return reads == 1 ? true : RecordForm::isChecked(page, control);
        }
        mutable int reads = 0;
    } form;
    form.setText(GeneralPage, GeneralControl::CrackedByEdit, "cr");
    expectSuccess(generate(lfLines({"#CRACKBY 2 1 0", "x", "y"}), form), crlfLines({"x", "cr"}));
    EXPECT_EQ(1, form.reads);
}

}  // namespace
}  // namespace enginetest
