// Whole generations: templates and the NFOs they must give or their framed failure reports, the
// output commands, and inputs far beyond what a release needs (the sanitizer build runs these too).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine_test_support.h"

namespace enginetest {
namespace {

// Each template rendered with its form file gives what the Preview page shows byte for byte: the
// NFO, kept for the output commands, or the failure report. The goldens of tests/e2e are what the
// end-to-end tests expect of the real program. QUENBY_REGENERATE_GOLDEN=1 writes the goldens
// instead: read the differences after.
TEST(NfoGeneratorTest, TemplatesGiveTheirGoldens) {
    // A path without a folder is in unit/engine/golden; a form path lacks ".form", a golden ".nfo".
    const char* const cases[][4] = {
        // clang-format off
        {"lines.ntf", "e2e/forms/initial", "lines"}, {"columns.ntf", "columns", "columns"},
        {"gates-closed.ntf", "e2e/forms/initial", "gates-closed"},
        {"gates-open.ntf", "gates-open", "gates-open"},
        {"continuation.ntf", "continuation", "continuation"},
        {"worked_example.ntf", "worked_example", "worked_example"},
        {"fields.ntf", "e2e/forms/initial", "fields-untouched"},
        {"fields.ntf", "e2e/forms/full", "fields-full"},
        {"e2e/templates/Framed.ntf", "e2e/forms/initial", "e2e/golden/initial-framed", "<Default>"},
        {"e2e/templates/Framed.ntf", "e2e/forms/full", "e2e/golden/full-framed", "<Default>"},
        {"e2e/templates/Framed.ntf", "e2e/forms/accents", "e2e/golden/accents-framed", "<Default>"},
        {"e2e/templates/Framed.ntf", "e2e/forms/long", "e2e/golden/long-framed", "<Default>"},
        {"e2e/templates/Plain.ntf", "e2e/forms/full", "e2e/golden/full-plain", "Plain.ntf"},
        {"e2e/templates/Broken.ntf", "e2e/forms/full", "e2e/golden/full-broken", "Broken.ntf"},
        // clang-format on
    };
    const auto at = [](const std::string& path, const char* ending) {
        const bool bare = path.find('/') == std::string::npos;
        return "tests/" + (bare ? "unit/engine/golden/" + path : path) + ending;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[2]);
        const std::string golden = at(c[2], ".nfo");
        const Generation g = generate(sourceFile(at(c[0], "")), formFile(at(c[1], ".form")),
                                      c[3] != nullptr ? c[3] : "Test.ntf");
        if (std::getenv("QUENBY_REGENERATE_GOLDEN") != nullptr)
            std::ofstream(std::string(QUENBY_SOURCE_DIR) + "/" + golden, std::ios::binary)
                << g.preview;
        EXPECT_EQ(sourceFile(golden), g.preview);
        EXPECT_EQ(g.succeeded() ? g.preview : "", g.output);
    }
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
    const Generation comments = generate("Comments:\n#REMARKS 1 0 2\n\n", form);
    EXPECT_TRUE(comments.succeeded() && comments.preview == nfo && comments.output == nfo);
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
