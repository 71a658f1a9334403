// Whole generations: templates and the NFOs they must give, the framed failure report, the output
// commands, and inputs far beyond what a release needs (the sanitizer build runs these too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine_test_support.h"

namespace enginetest {
namespace {

// Each template of golden/ rendered with its form file (or the untouched form) gives its NFO byte
// for byte. QUENBY_REGENERATE_GOLDEN=1 writes the NFOs instead: read the differences after.
TEST(NfoGeneratorTest, TemplatesGiveTheirGoldenNfo) {
    const std::string dir = "tests/unit/engine/golden/";
    const char* const cases[][3] = {
        // clang-format off
        {"lines.ntf", "", "lines.nfo"}, {"columns.ntf", "columns.form", "columns.nfo"},
        {"gates-closed.ntf", "", "gates-closed.nfo"},
        {"gates-open.ntf", "gates-open.form", "gates-open.nfo"},
        {"continuation.ntf", "continuation.form", "continuation.nfo"},
        {"worked_example.ntf", "worked_example.form", "worked_example.nfo"},
        {"fields.ntf", "", "fields-untouched.nfo"},
        {"fields.ntf", "../../../e2e/forms/full.form", "fields-full.nfo"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[2]);
        const Generation g =
            generate(sourceFile(dir + c[0]), *c[1] ? formFile(dir + c[1]) : RecordForm());
        if (std::getenv("QUENBY_REGENERATE_GOLDEN") != nullptr)
            std::ofstream(std::string(QUENBY_SOURCE_DIR) + "/" + dir + c[2], std::ios::binary)
                << g.output;
        else
            expectSuccess(g, sourceFile(dir + c[2]));
    }
}

// The report names the template as loaded, a null name as empty; no template, or an empty one,
// gives an empty NFO.
TEST(NfoGeneratorTest, TheReportNamesTheTemplateAndNoTemplateGivesNoNfo) {
    expectFailure(generate("art\n#oops\n", RecordForm(), "<Default>"),
                  "Unrecognised directive: OOPS", 2, "<Default>");
    ASSERT_TRUE(loadTemplateBytes("#X", 2, "Test.ntf"));
    CurrentTemplate.name.clear();
    expectFailure(runGeneration(RecordForm()), "Unrecognised directive: X", 1, "");
    unloadTemplate();
    expectSuccess(runGeneration(RecordForm()), "");
    expectSuccess(generate(""), "");
}

// A report is at most 4095 characters: a message too long for it is cut so that the report
// still ends with the template's name and the line number.
TEST(NfoGeneratorTest, ALongMessageIsCutToKeepTheTemplateAndLine) {
    const size_t room = 4095 - failureReport("", 2, "Long.ntf").size();
    for (size_t length : {3000u, 4000u, 100000u}) {
        const std::string text(length, 'T');
        const std::string message = "Inserted text is longer than a line:\r\n" + text;
        const Generation g = generate("#TITLE 1 0 0\nline\n",
                                      formWith({typed(GeneralPage, TitleEdit, text)}), "Long.ntf");
        expectFailure(g, message.substr(0, room), 2, "Long.ntf");
        EXPECT_EQ(std::min<size_t>(4095, failureReport(message, 2, "Long.ntf").size()),
                  g.preview.size());
    }
}

// A comment of 100,000 characters in short lines is printed whole; a template of 10 MiB is merged
// whole, its lines of 100 characters (ended by CR LF or NUL) cut to 79.
TEST(NfoGeneratorTest, HugeCommentsAndTemplatesArePrintedWhole) {
    std::string comment, nfo = "Comments:\r\n";
    for (size_t i = 0; comment.size() < 100000; ++i) {
        const std::string line(1 + i % 76, static_cast<char>('a' + i % 26));
        comment += (i == 0 ? "" : "\r\n") + line;
        nfo += "  " + line + "\r\n";
    }
    const RecordForm form = formWith({ticked(VariousTextPage, CommentsCheck),
                                      typed(VariousTextPage, CommentsEdit, comment),
                                      typed(GeneralPage, TitleEdit, "Title")});
    expectSuccess(generate("Comments:\n#REMARKS 1 0 2\n\n", form), nfo);
    const std::string line(100, '='), merged = line.substr(0, 37) + "Title" + line.substr(42, 37);
    std::string text;
    nfo.clear();
    for (size_t i = 0; text.size() < 10u * 1024 * 1024; ++i) {
        text += i % 2 == 0 ? "#TITLE 1 0 -1\r\n" + line + "\r\n" : line + '\0';
        nfo += (i % 2 == 0 ? merged : line.substr(0, 79)) + "\r\n";
    }
    const Generation g = generate(text, form);
    EXPECT_TRUE(g.succeeded());
    EXPECT_TRUE(nfo == g.output);  // not EXPECT_EQ: a diff of 10 MiB helps nobody
}

}  // namespace
}  // namespace enginetest
