// Writes what the Preview page must show for a form and a template: the engine run over a
// RecordForm filled from a form file of the end-to-end tests. Used once to make the golden files,
// and by the native test that keeps them in step with the engine.
//
//   e2e_golden_maker TEMPLATE.ntf DISPLAY-NAME FORM-FILE > EXPECTED.nfo
//
// A form file holds one user action a line: "PAGE ID check", "PAGE ID uncheck",
// "PAGE ID text VALUE" or "PAGE ID choose VALUE" (in VALUE, \n starts a new line of a multi-line
// box and \\ is a backslash). PAGE is General, Upload or VariousText; # starts a comment.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "catalogue/template_catalogue.h"
#include "engine/nfo_generator.h"
#include "engine/record_form.h"
#include "foundation/errors.h"
#include "foundation/framework.h"

namespace {

class CapturedView : public NfoView {
public:
    void setPreviewText(const char* value) override { text = value ? value : ""; }
    void enableOutputCommands(bool enabled) override { outputEnabled = enabled; }
    std::string text;
    bool outputEnabled = false;
};

[[noreturn]] void fail(const std::string& message) {
    std::cerr << "e2e_golden_maker: " << message << "\n";
    std::exit(2);
}

std::string unescape(const std::string& value) {
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
            out += value[i] == 'n' ? std::string("\r\n") : std::string(1, value[i]);
        } else {
            out += value[i];
        }
    }
    return out;
}

FormPage pageNamed(const std::string& name) {
    if (name == "General")
        return GeneralPage;
    if (name == "Upload")
        return UploadPage;
    if (name == "VariousText")
        return VariousTextPage;
    fail("unknown page " + name);
}

void applyForm(const char* path, RecordForm& form) {
    std::ifstream in(path);
    if (!in)
        fail(std::string("cannot read ") + path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string page, action;
        uint32_t id = 0;
        words >> page >> id >> action;
        std::string value;
        std::getline(words, value);
        if (!value.empty() && value[0] == ' ')
            value.erase(0, 1);
        bool ok;
        if (action == "check" || action == "uncheck") {
            ok = form.setChecked(pageNamed(page), id, action == "check");
        } else if (action == "text" || action == "choose") {
            ok = form.setText(pageNamed(page), id, unescape(value).c_str());
        } else {
            fail("unknown action in: " + line);
        }
        if (!ok)
            fail("no such control in: " + line);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        fail("usage: e2e_golden_maker TEMPLATE.ntf DISPLAY-NAME FORM-FILE");
    if (!frameworkStartup(0))
        fail("framework start-up failed");
    if (!loadTemplateFile(argv[1], argv[2]))
        fail(orEmpty(LastError.message));

    RecordForm form;
    applyForm(argv[3], form);

    CapturedView view;
    generateNfo(form, view);
    std::fwrite(view.text.data(), 1, view.text.size(), stdout);

    unloadTemplate();
    frameworkShutdown();
    return 0;
}
