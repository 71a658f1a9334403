// quenby render: one release sheet through one template, the NFO bytes out.
#include <cstdio>
#include <memory>
#include <utility>

#include "catalogue/template_catalogue.h"
#include "cli/commands.h"
#include "cli/nfo_picture.h"
#include "cli/process_io.h"
#include "cli/template_source.h"
#include "engine/form_table.h"
#include "engine/nfo_generator.h"
#include "engine/record_form.h"
#include "sheets/cp437.h"
#include "sheets/generation.h"
#include "sheets/release_sheet.h"

namespace {

const char* const standardInputName = "<stdin>";

// The sheet's bytes from the file or, for "-", from standard input; false after printing why.
bool readSheet(const std::string& sheet, std::string& text) {
    if (sheet == "-") {
        if (readStream(stdin, text))
            return true;
        std::fprintf(stderr, "Failed to read from file: %s\n", standardInputName);
        return false;
    }
    std::FILE* file = std::fopen(sheet.c_str(), "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "Failed to open file: %s\n", sheet.c_str());
        return false;
    }
    bool read = readStream(file, text);
    std::fclose(file);
    if (!read)
        std::fprintf(stderr, "Failed to read from file: %s\n", sheet.c_str());
    return read;
}

}  // namespace

RenderCommand::RenderCommand(CLI::App& parent) {
    app = parent.add_subcommand("render", "Render a release sheet (TOML) into an NFO file.");
    app->footer(
        "The NFO (CP437, CR LF line ends) goes to OUT, else, without --png and --html, to\n"
        "standard output. --png draws it in an 8 x 14 CP437 bitmap font and --html makes a web\n"
        "page of it; when the generation fails, they show the failure report and OUT is not\n"
        "written. Each file is written whole or not at all, and all of them or none: should one\n"
        "fail to take its place, the files placed before it are put back. A picture has at most\n"
        "2^31-1 pixels (242,708 lines of 79 columns). Without --template the default template\n"
        "of the archive is used: --archive, else Quenby.jam beside the executable, else in\n"
        "../share/quenby/ from it, else (on Windows) in the folder above it, else in the\n"
        "current folder. --template NAME also finds NAME.ntf here and the installed ones.\n"
        "Exit codes: 0 rendered, 1 generation failed (the failure report is on standard error),\n"
        "2 unusable sheet, template or archive, or output not written.");
    CLI::Option* templateOption =
        app->add_option("--template", templatePath, "Template file (.ntf) to render through")
            ->type_name("FILE.ntf");
    app->add_option("--archive", archive, "Archive holding the default template")
        ->type_name("Quenby.jam")
        ->excludes(templateOption);
    app->add_flag("--utf8", utf8, "Convert the NFO (or the failure report) from CP437 to UTF-8");
    app->add_option("-o,--output", output, "Write the NFO to OUT instead of standard output")
        ->type_name("OUT");
    app->add_option("--png", png, "Also draw the NFO as a picture (PNG)")->type_name("FILE.png");
    app->add_option("--html", html, "Also write the NFO as a web page (HTML, UTF-8)")
        ->type_name("FILE.html");
    app->add_flag("--dark", dark,
                  "Light on black in the picture and the page (else black on white)");
    app->add_option("sheet", sheet, "Release sheet (TOML, UTF-8); - reads standard input")
        ->type_name("SHEET.toml")
        ->required();
}

int RenderCommand::run() {
    // The sheet's text goes once read, and the form once generated: of a long NFO only the text
    // generated stays, each output written from it in turn.
    std::unique_ptr<RecordForm> form(new RecordForm);
    {
        std::string sheetText;
        if (!readSheet(sheet, sheetText))
            return ExitBadInput;
        try {
            readReleaseSheet(std::move(sheetText), sheet == "-" ? standardInputName : sheet, *form);
        } catch (const SheetError& error) {
            for (const std::string& problem : error.problems()) {
                std::fprintf(stderr, "%s\n", problem.c_str());
            }
            return ExitBadInput;
        }
    }

    bool loaded = templatePath.empty() ? loadDefaultTemplate(archiveLocation(archive))
                                       : loadTemplateOption(templatePath);
    if (!loaded) {
        std::fprintf(stderr, "%s\n", lastErrorMessage().c_str());
        return ExitBadInput;
    }

    const std::string title = orEmpty(form->text(GeneralPage, GeneralControl::TitleEdit));
    const Generation generation = generate(*form);
    form.reset();
    unloadTemplate();
    nfoOutput.clear();  // copied into the generation
    std::string converted = utf8 ? cp437ToUtf8(generation.text) : std::string();
    const std::string& text = utf8 ? converted : generation.text;
    if (!generation.succeeded) {
        // The report's own lines end with CR LF; one more ends its last line.
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fwrite("\r\n", 1, 2, stderr);
    }
    std::vector<OutputFile> files;
    if (!output.empty() && generation.succeeded)
        files.push_back(outputOf(output, text));
    const Colours colours = dark ? Colours::LightOnDark : Colours::DarkOnLight;
    std::unique_ptr<NfoPicture> picture;
    if (!png.empty()) {
        try {
            picture.reset(new NfoPicture(generation.text, colours));
        } catch (const PictureTooLarge&) {
            std::fprintf(stderr, "Picture too large for PNG: %s\n", png.c_str());
            return ExitBadInput;
        }
        files.push_back({png, [&picture](const ByteSink& sink) { return picture->write(sink); }});
    }
    std::string page;
    if (!html.empty()) {
        page = nfoPage(generation.text, title, colours);
        files.push_back(outputOf(html, page));
    }
    if (files.empty() && generation.succeeded && !writeOutput("", text))
        return ExitBadInput;
    if (!files.empty() && !writeOutputFiles(files))
        return ExitBadInput;
    return generation.succeeded ? ExitSuccess : ExitFailed;
}
