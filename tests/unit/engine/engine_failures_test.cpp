// Every failure a template can meet, each seen in the framed report of a whole generation: the
// exact message and the template line it names. Plain cases of a message that the command-line
// check golden (broken.ntf) already names with its line are not repeated here.
#include <gtest/gtest.h>

#include "engine/directive_parser.h"
#include "engine_test_support.h"
#include "foundation/errors.h"

namespace enginetest {
namespace {

TEST(EngineFailuresTest, EveryMessageWithItsLine) {
    const std::string removed = "A directive's line of insertion was removed by another directive!";
    const std::string shared = "Multiple directives are trying to insert text on the same line!";
    const std::string tooLong = "Inserted text is too long for line:\r\n";
    const std::string longer = "Inserted text is longer than a line:\r\n";
    const std::string eof = "Unexpected end of file", inTitle = " in directive: TITLE";
    const std::string w79(79, 'w'), w80(80, 'w'), nul(1, '\0'), what = "Unrecognised directive: ";
    const auto bad = [&](int n) {
        return "Parameter " + std::to_string(n) + " is invalid" + inTitle;
    };
    const auto only = [&](int n) {
        return "Found only " + std::to_string(n) + " parameters (expected 3)" + inTitle;
    };
    const std::string third = "Third parameter must be between -1 and 78" + inTitle;
    const auto title = [](const std::string& text) {
        return std::vector<Set>{typed(GeneralPage, TitleEdit, text)};
    };
    const std::vector<Set> install = {
        ticked(VariousTextPage, InstallCheck),
        typed(VariousTextPage, InstallEdit, "ok\r\n" + std::string(60, 'i'))};
    const std::vector<Set> keygen = {ticked(GeneralPage, KeygenByCheck)};
    const struct {
        std::string text, message;
        unsigned line = 1;
        std::vector<Set> form = {};
    } cases[] = {
        // clang-format off
        {"#", what}, {"#TiTlEs 1 0 0", what + "TITLES"}, {"#TITLE\t3 1 -1", what + "TITLE\t3"},
        {std::string(79, '#') + " 1 0 0", what + std::string(78, '#')},
        {"1\n2\n3\n4\n5\n6\n#NOSUCH 1 0 0\n8", what + "NOSUCH", 7},
        // Lines taken by INSERTLINE and dropped by FILLWAIT count; NUL ends a line like LF.
        {"#INSERTLINE 2\nx\r\ny" + nul + "#FILLWAIT 2\na\nb\n\nq\n#BAD", what + "BAD", 9},
        // Two spaces give an empty token; so does a trailing space.
        {"#TITLE  3 1 -1", bad(1)}, {"#TITLE ", bad(1)}, {"#TITLE 3 1 ", bad(3)},
        {"#TITLE 3 00 0", bad(2)}, {"#title x y z", bad(1)},
        // Digits beyond the signed 32-bit range, also where 32 bits would wrap to 1.
        {"#TITLE 2147483648 0 0", bad(1)}, {"#TITLE 4294967297 0 0", bad(1)},
        {"#TITLE 3 0 -2147483649", bad(3)}, {"#TITLE", only(0)}, {"#TITLE 3 1", only(2)},
        {"#FillWait", "Found only 0 parameters (expected 1) in directive: FILLWAIT"},
        // Parameters beyond the 79th character, or after a NUL, are lost.
        {"#TITLE 3" + std::string(71, 'x') + " 1 -1\na\nb\nc", only(1)},
        {"#TITLE 1" + nul + " 0 0\nx", only(1)},
        {"#TITLE -2 0 0", "First parameter cannot be 0" + inTitle},
        {"#FILLWAIT 0", "First parameter cannot be 0 in directive: FILLWAIT"},
        {"#TITLE 3 1 -2", third}, {"#TITLE 3 1 -2147483648", third},
        // The first bad token wins; the range checks come after all tokens, in their order.
        {"#TITLE 3 x 79", bad(2)}, {"#TITLE 0 -1 79", "First parameter cannot be 0" + inTitle},
        {"#TITLE 2 -1 79", "Second parameter cannot be negative" + inTitle},
        // Blocks: the text ending inside.
        {"#INSERTLINE 3\none\ntwo", eof, 3}, {"a\n#FILLWAIT 5\nb\nc", eof, 4},
        {"#SERIALNUM 3 0 0\nonly one", eof, 2},
        // An open gate: the governed lines are processed, directives among them too.
        {"#KEYGENBY 4 0 0\nKeygen:\n#NOPE 0 0 0\nx", what + "NOPE", 3, keygen},
        // Insertions pending at the end: aimed past it, or at a directive line with no ordinary
        // line after it.
        {"art\n#TITLE 1 0 -1", eof, 2}, {"#TITLE 5 4 0\na\nb\nc", eof, 4},
        {"#TITLE 2 0 0\n#COMMENT\n#COMMENT", eof, 3},
        // A target removed by a directive line, FILLWAIT or INSERTLINE, found at the next line.
        {"#TITLE 2 0 0\n#COMMENT\n#COMMENT\ntext", removed, 4},
        {"#TITLE 2 1 0\n#FILLWAIT 1\ngone\nnext", removed, 4},
        {"#TITLE 2 1 0\n#INSERTLINE 1\ntaken\nnext", removed, 4},
        // Two records for one line fail when it is reached. Records are walked newest first:
        // the first record met decides.
        {"#TITLE 3 2 0\n#UPLOADBY 2 1 0\nfirst\nsecond\nthird", shared, 4},
        {"#TITLE 4 3 0\n#UPLOADBY 4 3 0\n#SOFTWARE 3 2 0\n#COMMENT\n#COMMENT\nsix", shared, 6},
        {"#UPLOADBY 5 4 0\n#SOFTWARE 4 3 0\n#TITLE 2 1 0\n#COMMENT\n#COMMENT\nsix", removed, 6},
        // Widths: the text alone, then the merged line; a continuation line names the target.
        {"#TITLE 1 0 -1\n\n", longer + w80, 2, title(w80)},
        {"#TITLE 1 0 1\n\n", tooLong + w79, 2, title(w79)},
        {"#TITLE 1 0 78\n\n", tooLong + "zz", 2, title("zz")},
        {"top\n#INSTALLINF 1 0 30\ntarget\nafter", tooLong + std::string(60, 'i'), 3, install},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        expectFailure(generate(c.text, formWith(c.form)), c.message, c.line);
    }
}

// Every keyword takes 0, 1 or 3 parameters, so only a directive made by hand reaches the guard.
TEST(EngineFailuresTest, DispatchRefusesAnyOtherParameterCount) {
    EXPECT_FALSE(dispatchDirective(RecordForm(), Directive{TITLE, 2, {1, 0, 0}, 1}));
    EXPECT_STREQ("Directive not handled by 0-param, 1-param or 3-param routine!!!",
                 LastError.message.chars());
}

}  // namespace
}  // namespace enginetest
