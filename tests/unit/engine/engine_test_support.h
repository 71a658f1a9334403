// Shared helpers of the engine tests: load a template from a C++ string, run one generation with
// a RecordForm and a recording NfoView, and spell out the expected texts.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "catalogue/current_template.h"
#include "catalogue/template_catalogue.h"
#include "engine/nfo_generator.h"
#include "engine/nfo_view.h"
#include "engine/record_form.h"

namespace enginetest {

// Remembers what the engine showed.
class RecordingView : public NfoView {
public:
    void setPreviewText(const char* text) override {
        preview = text != nullptr ? text : "<null>";
        ++previewCalls;
    }
    void enableOutputCommands(bool enabled) override { enableCalls.push_back(enabled); }

    bool commandsEnabled() const { return !enableCalls.empty() && enableCalls.back(); }

    std::string preview;
    int previewCalls = 0;
    std::vector<bool> enableCalls;
};

// Replaces CurrentTemplate by a copy of text (which may hold NUL bytes), named name.
inline void loadTemplateText(const std::string& text, const char* name = "Test.ntf") {
    ASSERT_TRUE(loadTemplateBytes(text.data(), static_cast<uint32_t>(text.size()), name));
}

// What one generation left behind.
struct Generation {
    std::string preview;
    bool commandsEnabled;
    std::vector<bool> enableCalls;
    // nfoOutput afterwards; "<null>" when it is the null String.
    std::string output;
};

inline std::string outputText() {
    return nfoOutput.chars() != nullptr ? std::string(nfoOutput.chars()) : std::string("<null>");
}

inline Generation runGeneration(const RecordForm& form) {
    RecordingView view;
    generateNfo(form, view);
    EXPECT_EQ(1, view.previewCalls);
    return {view.preview, view.commandsEnabled(), view.enableCalls, outputText()};
}

inline Generation generate(const std::string& text, const RecordForm& form = RecordForm(),
                           const char* name = "Test.ntf") {
    loadTemplateText(text, name);
    return runGeneration(form);
}

// The lines, each followed by CR LF.
inline std::string crlfLines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The lines, each followed by LF: the way most templates in these tests are written.
inline std::string lfLines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The framed report the preview box shows after a failure.
inline std::string failureReport(const std::string& message, const std::string& name,
                                 unsigned line) {
    return "\r\n"
           "     -----------------------\r\n"
           "    | NFO GENERATION FAILED |\r\n"
           "     -----------------------\r\n"
           "\r\n"
           "ERROR:\r\n" +
           message + "\r\n\r\nTemplate: " + name + "\r\nLine:     " + std::to_string(line);
}

// Expects a failed generation: the report shown, nothing kept, the commands left disabled.
inline void expectFailure(const Generation& result, const std::string& message, unsigned line,
                          const std::string& name = "Test.ntf") {
    EXPECT_EQ(failureReport(message, name, line), result.preview);
    EXPECT_TRUE(nfoOutput.isEmpty());
    EXPECT_EQ(std::vector<bool>{false}, result.enableCalls);
}

// Expects a successful generation whose NFO is expected.
inline void expectSuccess(const Generation& result, const std::string& expected) {
    EXPECT_EQ(expected, result.preview);
    EXPECT_EQ(expected, result.output);
    EXPECT_EQ((std::vector<bool>{false, true}), result.enableCalls);
}

// Leaves no template loaded after each test, so no test sees another's template.
class EngineTest : public ::testing::Test {
protected:
    void TearDown() override { unloadTemplate(); }
};

}  // namespace enginetest
