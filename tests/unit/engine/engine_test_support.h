// Shared by the unit tests of the engine, the catalogue and the shipped templates: generations
// over a template held in memory, seen through a recording view; forms set control by control or
// read from form files; the framed failure report.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/current_template.h"
#include "catalogue/template_catalogue.h"
#include "engine/nfo_generator.h"
#include "engine/nfo_view.h"
#include "engine/record_form.h"
#include "form_file.h"

namespace enginetest {

using namespace GeneralControl;
using namespace UploadControl;
using namespace VariousControl;

// What one generation showed, each call to enableOutputCommands, and nfoOutput afterwards.
struct Generation : NfoView {
    void setPreviewText(const char* text) override { preview = text; }
    void enableOutputCommands(bool enabled) override { enableCalls.push_back(enabled); }
    // A success enables the output commands once they were disabled; a failure only disables.
    bool succeeded() const { return enableCalls == std::vector<bool>{false, true}; }
    std::string preview = "<never shown>", output;
    std::vector<bool> enableCalls;
};

// One generation over whatever CurrentTemplate holds now.
inline Generation runGeneration(const ReleaseForm& form) {
    Generation g;
    generateNfo(form, g);
    g.output.assign(orEmpty(nfoOutput), nfoOutput.length());
    return g;
}

// One generation over text (any bytes), loaded under name and unloaded afterwards.
inline Generation generate(const std::string& text, const ReleaseForm& form = RecordForm(),
                           const char* name = "Test.ntf") {
    EXPECT_TRUE(loadTemplateBytes(text.data(), static_cast<uint32_t>(text.size()), name));
    Generation g = runGeneration(form);
    unloadTemplate();
    return g;
}

// One control of a form: a text typed, or a check box or radio button set.
struct Set {
    FormPage page;
    uint32_t control;
    std::string text;
    bool isText = true, checked = false;
};
inline Set typed(FormPage page, uint32_t control, const std::string& text) {
    return {page, control, text};
}
inline Set ticked(FormPage page, uint32_t control, bool checked = true) {
    return {page, control, "", false, checked};
}
inline RecordForm formWith(const std::vector<Set>& sets, RecordForm form = RecordForm()) {
    for (const Set& s : sets)
        EXPECT_TRUE(s.isText ? form.setText(s.page, s.control, s.text.c_str())
                             : form.setChecked(s.page, s.control, s.checked));
    return form;
}

// A file of the source tree, whole.
inline std::string sourceFile(const std::string& path) {
    std::ifstream in(std::string(QUENBY_SOURCE_DIR) + "/" + path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A form file of the source tree (form_file.h) applied to the untouched form; by default the
// filled form of the end-to-end tests, every box filled and every switch on.
inline RecordForm formFile(const std::string& path = "tests/e2e/forms/full.form") {
    RecordForm form;
    std::string badLine;
    EXPECT_TRUE(fillForm(sourceFile(path), form, badLine)) << path << ": " << badLine;
    return form;
}

inline std::string failureReport(const std::string& message, unsigned line,
                                 const std::string& name = "Test.ntf") {
    return "\r\n     -----------------------\r\n    | NFO GENERATION FAILED |\r\n"
           "     -----------------------\r\n\r\nERROR:\r\n" +
           message + "\r\n\r\nTemplate: " + name + "\r\nLine:     " + std::to_string(line);
}

// A failure shows the report, keeps no NFO and leaves the output commands disabled.
inline void expectFailure(const Generation& g, const std::string& message, unsigned line,
                          const std::string& name = "Test.ntf") {
    EXPECT_EQ(failureReport(message, line, name), g.preview);
    EXPECT_EQ("", g.output);
    EXPECT_EQ(std::vector<bool>{false}, g.enableCalls);
}

}  // namespace enginetest
