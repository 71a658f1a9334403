// What the Preview page must show for each form and template of the end-to-end tests: the engine
// run over a RecordForm filled by the form file's driver commands. Fails when a golden file in
// E2E-DIR/golden differs; with --write, writes them instead.
//
//   e2e_golden_maker E2E-DIR [--write]
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "catalogue/template_catalogue.h"
#include "engine/nfo_generator.h"
#include "engine/record_form.h"
#include "form_file.h"
#include "foundation/framework.h"

namespace {

struct CapturedView : NfoView {
    void setPreviewText(const char* value) override { text = value ? value : ""; }
    void enableOutputCommands(bool) override {}
    std::string text;
};

// Golden file, template, the name a failure report gives it, form.
const char* const kGoldens[][4] = {
    {"initial-framed", "Framed.ntf", "<Default>", "initial"},
    {"full-framed", "Framed.ntf", "<Default>", "full"},
    {"full-plain", "Plain.ntf", "Plain.ntf", "full"},
    {"full-broken", "Broken.ntf", "Broken.ntf", "full"},
    {"accents-framed", "Framed.ntf", "<Default>", "accents"},
    {"long-framed", "Framed.ntf", "<Default>", "long"},
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !frameworkStartup(0)) {
        std::cerr << "usage: e2e_golden_maker E2E-DIR [--write]\n";
        return 2;
    }
    const std::string dir = argv[1];
    const bool write = argc > 2 && std::string(argv[2]) == "--write";
    int status = 0;
    for (const auto& golden : kGoldens) {
        RecordForm form;
        CapturedView view;
        std::string badLine;
        if (!loadTemplateFile((dir + "/templates/" + golden[1]).c_str(), golden[2]) ||
            !fillForm(readAll(dir + "/forms/" + golden[3] + ".form"), form, badLine)) {
            std::cerr << "e2e_golden_maker: cannot use " << golden[1] << " or " << golden[3]
                      << ".form\n";
            return 2;
        }
        generateNfo(form, view);
        unloadTemplate();
        const std::string file = dir + "/golden/" + golden[0] + ".nfo";
        if (write) {
            std::ofstream(file, std::ios::binary) << view.text;
        } else if (readAll(file) != view.text) {
            std::cerr << "e2e_golden_maker: " << file << " is out of date\n";
            status = 1;
        }
    }
    frameworkShutdown();
    return status;
}
