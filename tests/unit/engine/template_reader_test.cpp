// Cutting a template into lines: line ends, the 79-character cut, and line numbering.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class TemplateReaderTest : public EngineTest {};

TEST_F(TemplateReaderTest, LfAndCrLfTemplatesGiveTheSameOutput) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "Title");
    form.setChecked(VariousTextPage, VariousControl::ThanksCheck, true);
    form.setText(VariousTextPage, VariousControl::ThanksEdit, "you\r\nall");
    const std::string lf =
        "+--------+\n#TITLE 1 0 2\n|        |\n#INSERTLINE 1\n|  ....  |\n"
        "#THANKSTO 1 0 3\n|        |\n+--------+\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const std::string expected =
        crlfLines({"+--------+", "| Title  |", "|  you   |", "|  all.  |", "+--------+"});
    expectSuccess(generate(lf, form), expected);
    expectSuccess(generate(crlf, form), expected);
}

TEST_F(TemplateReaderTest, LineEnds) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"a\nb", crlfLines({"a", "b"})},                      // no final LF: the last line counts
        {"a\nb\n", crlfLines({"a", "b"})},                    // final LF: no empty last line
        {"a\n\n", crlfLines({"a", ""})},                      // an empty line before the end
        {"\n", crlfLines({""})},                              // one empty line
        {"\r\n", crlfLines({""})},                            // the CR goes with the LF
        {"a\rb\n", crlfLines({"a\rb"})},                      // a CR alone breaks nothing
        {"a\r\r\n", crlfLines({"a\r"})},                      // only one CR is dropped
        {std::string("a\0b", 3), crlfLines({"a", "b"})},      // NUL ends a line
        {std::string("a\r\0b\0", 5), crlfLines({"a", "b"})},  // and so takes a CR with it
        {std::string("\0\0", 2), crlfLines({"", ""})},
        {"\r", crlfLines({""})},  // a last line that is a lone CR is empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        expectSuccess(generate(c.text), c.expected);
    }
}

TEST_F(TemplateReaderTest, LinesAreCutTo79Characters) {
    const std::string seventyNine(79, 'a');
    expectSuccess(generate(seventyNine + "bcd\n" + seventyNine + "\r\n" + seventyNine + "b\r\n"),
                  crlfLines({seventyNine, seventyNine, seventyNine}));
}

TEST_F(TemplateReaderTest, NumbersCountEveryPhysicalLine) {
    // Lines taken by INSERTLINE and dropped by FILLWAIT count like any other.
    const char text[] = "#INSERTLINE 2\nx\r\ny\0#FILLWAIT 2\na\nb\n\nq\n#BAD\n";
    expectFailure(generate(std::string(text, sizeof(text) - 1)), "Unrecognised directive: BAD", 9);
}

}  // namespace
}  // namespace enginetest
