// Whole generations: templates and the NFOs they must give, the framed failure report and the
// output commands.
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

}  // namespace
}  // namespace enginetest
