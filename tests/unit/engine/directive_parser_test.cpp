// Directive lines: keywords, parameter tokens, the range checks and their exact messages, each
// seen through a whole generation's failure report.
#include "engine/directive_parser.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "foundation/errors.h"

namespace enginetest {
namespace {

class DirectiveParserTest : public EngineTest {};

struct BadDirective {
    std::string line;
    std::string message;
};

// The directive stands on line 2 of a template whose other lines are ordinary.
TEST_F(DirectiveParserTest, EveryParseMessageReachesTheReport) {
    const BadDirective cases[] = {
        {"#", "Unrecognised directive: "},
        {"#NOSUCH 1 0 0", "Unrecognised directive: NOSUCH"},
        {"#TiTlEs 1 0 0", "Unrecognised directive: TITLES"},
        {"#TITLE\t3 1 -1", "Unrecognised directive: TITLE\t3"},
        {"#TITLE  3 1 -1", "Parameter 1 is invalid in directive: TITLE"},
        {"#TITLE ", "Parameter 1 is invalid in directive: TITLE"},
        {"#TITLE 3 1 ", "Parameter 3 is invalid in directive: TITLE"},
        {"#TITLE 3 00 0", "Parameter 2 is invalid in directive: TITLE"},
        {"#TITLE 3 -0 0", "Parameter 2 is invalid in directive: TITLE"},
        {"#TITLE 3 +0 0", "Parameter 2 is invalid in directive: TITLE"},
        {"#TITLE 3 1 x", "Parameter 3 is invalid in directive: TITLE"},
        {"#title x y z", "Parameter 1 is invalid in directive: TITLE"},
        {"#INSERTLINE many", "Parameter 1 is invalid in directive: INSERTLINE"},
        {"#TITLE 3", "Found only 1 parameters (expected 3) in directive: TITLE"},
        {"#TITLE 3 1", "Found only 2 parameters (expected 3) in directive: TITLE"},
        {"#TITLE", "Found only 0 parameters (expected 3) in directive: TITLE"},
        {"#FillWait", "Found only 0 parameters (expected 1) in directive: FILLWAIT"},
        {"#KEYGENBY 1 0", "Found only 2 parameters (expected 3) in directive: KEYGENBY"},
        {"#TITLE 0 0 0", "First parameter cannot be 0 in directive: TITLE"},
        {"#TITLE -2 0 0", "First parameter cannot be 0 in directive: TITLE"},
        {"#FILLWAIT 0", "First parameter cannot be 0 in directive: FILLWAIT"},
        {"#INSERTLINE -1", "First parameter cannot be 0 in directive: INSERTLINE"},
        {"#TITLE 3 -1 0", "Second parameter cannot be negative in directive: TITLE"},
        {"#TITLE 3 3 0", "Second parameter must be smaller than the first in directive: TITLE"},
        {"#SOFTWARE 1 5 0",
         "Second parameter must be smaller than the first in directive: SOFTWARE"},
        {"#TITLE 3 1 79", "Third parameter must be between -1 and 78 in directive: TITLE"},
        {"#TITLE 3 1 -2", "Third parameter must be between -1 and 78 in directive: TITLE"},
        {"#TITLE 3 1 -2147483648", "Third parameter must be between -1 and 78 in directive: TITLE"},
        // Digits beyond the 32-bit range; 4294967296 would wrap to 0 in 32 bits, 4294967297 to 1.
        {"#TITLE 2147483648 0 0", "Parameter 1 is invalid in directive: TITLE"},
        {"#TITLE 3 0 -2147483649", "Parameter 3 is invalid in directive: TITLE"},
        {"#TITLE 3 0 99999999999999999999", "Parameter 3 is invalid in directive: TITLE"},
        {"#TITLE 4294967297 0 0", "Parameter 1 is invalid in directive: TITLE"},
        // The first bad token wins; range checks come after all tokens, in their fixed order.
        {"#TITLE 3 x 79", "Parameter 2 is invalid in directive: TITLE"},
        {"#TITLE 0 -1 79", "First parameter cannot be 0 in directive: TITLE"},
        {"#TITLE 2 -1 79", "Second parameter cannot be negative in directive: TITLE"},
    };
    for (const BadDirective& c : cases) {
        SCOPED_TRACE(c.line);
        expectFailure(generate(lfLines({"art", c.line, "more art"})), c.message, 2);
    }
}

TEST_F(DirectiveParserTest, ValidDirectiveForms) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::TitleEdit, "T");
    const std::string background = "0123456789";
    // Lower case keyword, a trailing word, leading zeros and signs, text after the digits,
    // white space before the digits.
    const char* lines[] = {
        "#title 1 0 3",   "#TITLE 1 0 3 and any words",
        "#TITLE 1 0 +3",  "#TITLE 1 0 03",
        "#TITLE 1 0 3x",  "#TITLE +1 0 3",
        "#TITLE 1 0 \t3",
    };
    for (const char* line : lines) {
        SCOPED_TRACE(line);
        expectSuccess(generate(std::string(line) + "\n" + background + "\n", form),
                      crlfLines({"012T456789"}));
    }
    expectSuccess(generate("#TITLE 3 01 0\na\nb\nc\n", form), crlfLines({"a", "T", "c"}));
    // The largest value is still a parameter: the (empty) title lands on the next line.
    expectSuccess(generate("#TITLE 2147483647 0 0\nx\n"), crlfLines({"x"}));
    expectSuccess(generate("#TITLE 3 1 78\na\nb\nc\n", form),
                  crlfLines({"a", "b" + std::string(77, ' ') + "T", "c"}));
}

TEST_F(DirectiveParserTest, CommentsProduceNothing) {
    expectSuccess(
        generate(lfLines({"#COMMENT", "a", "#comment 0 0 -5 anything at all", "b", "#COMMENT  "})),
        crlfLines({"a", "b"}));
}

TEST_F(DirectiveParserTest, HashAfterLeadingSpaceIsOrdinaryText) {
    expectSuccess(generate("  #TITLE 3 1 -1\n #\n"), crlfLines({"  #TITLE 3 1 -1", " #"}));
}

TEST_F(DirectiveParserTest, ParametersBeyondColumn79AreLost) {
    // "3" and 71 more characters fill the 79 columns; " 1 -1" is cut away.
    const std::string line = "#TITLE 3" + std::string(71, 'x') + " 1 -1";
    expectFailure(generate(line + "\na\nb\nc\n"),
                  "Found only 1 parameters (expected 3) in directive: TITLE", 1);
}

// The table gives every keyword 0, 1 or 3 parameters, so the guard of the dispatch is reached
// only with a directive made by hand.
TEST_F(DirectiveParserTest, DispatchRejectsAnUnhandledParameterCount) {
    Directive directive = {TITLE, 2, {1, 0, 0}, 1};
    EXPECT_FALSE(dispatchDirective(RecordForm(), directive));
    EXPECT_EQ(static_cast<uint32_t>(CustomError), LastError.code);
    EXPECT_STREQ("Directive not handled by 0-param, 1-param or 3-param routine!!!",
                 LastError.message.chars());
}

}  // namespace
}  // namespace enginetest
