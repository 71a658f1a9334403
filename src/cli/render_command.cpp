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
#include "sheets/ascii_copy.h"
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
    std::FILE* file = openStream(sheet);
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
        "standard output; --utf8 converts it to UTF-8, and --ascii writes its plain ASCII copy\n"
        "instead: each byte outside 0x20-0x7E but CR and LF becomes the ASCII character most\n"
        "like it (frames + - | =, shades and blocks . : #, letters without their accents),\n"
        "so that every line keeps its width. Either converts the failure report too.\n"
        "--png draws the NFO itself in an 8 x 14 CP437 bitmap font (9 x 14 with --cell 9,\n"
        "whose ninth column repeats the eighth for the frames and blocks 0xC0-0xDF), each\n"
        "pixel drawn N x N with --scale N, and --html makes a web page of it; both in the\n"
        "colours of --colours: light (the default), dark (the same as --dark), amber, green,\n"
        "or INK,PAPER in hex (as c0c0c0,000000). When the generation fails, they show the\n"
        "failure report and OUT is not written. Each file is written whole or not at all, and\n"
        "all of them or none: should one fail to take its place, the files placed before it\n"
        "are put back. A picture has at most 2^31-1 pixels, scaled (242,708 lines of 79\n"
        "columns at --scale 1). Without --template the default template of the archive is\n"
        "used: --archive, else Quenby.jam beside the executable, else in ../share/quenby/ from\n"
        "it, else (on Windows) in the folder above it, else in the current folder. --template\n"
        "NAME also finds NAME.ntf here and the installed ones.\n"
        "Exit codes: 0 rendered, 1 generation failed (the failure report is on standard error),\n"
        "2 unusable sheet, template or archive, or output not written.");
    CLI::Option* templateOption =
        app->add_option("--template", templatePath, "Template file (.ntf) to render through")
            ->type_name("FILE.ntf");
    app->add_option("--archive", archive, "Archive holding the default template")
        ->type_name("Quenby.jam")
        ->excludes(templateOption);
    CLI::Option* utf8Option = app->add_flag(
        "--utf8", utf8, "Convert the NFO (or the failure report) from CP437 to UTF-8");
    app->add_flag("--ascii", ascii, "Write the NFO (or the failure report) in plain ASCII")
        ->excludes(utf8Option);
    app->add_option("-o,--output", output, "Write the NFO to OUT instead of standard output")
        ->type_name("OUT");
    CLI::Option* pngOption = app->add_option("--png", png, "Also draw the NFO as a picture (PNG)")
                                 ->type_name("FILE.png");
    app->add_option("--html", html, "Also write the NFO as a web page (HTML, UTF-8)")
        ->type_name("FILE.html");
    // The picture's options, each checked as it is read by the shared setter of its style.
    const auto setter = [this](std::string (*set)(const std::string&, PictureStyle&)) {
        return CLI::Validator([this, set](std::string& text) { return set(text, style); }, "");
    };
    app->add_option("--scale", scale, "Draw each pixel of the picture N x N (1 to 4)")
        ->type_name("N")
        ->check(setter(setPictureScale))
        ->needs(pngOption);
    app->add_option("--cell", cell, "Cells of 9 pixels across in the picture (else 8)")
        ->type_name("9")
        ->check(setter(setPictureCell))
        ->needs(pngOption);
    CLI::Option* coloursOption =
        app->add_option("--colours", colours,
                        "Colours of the picture and the page: light, dark, amber, green, INK,PAPER")
            ->type_name("SCHEME")
            ->check(setter(setPictureColours));
    app->add_flag("--dark", dark, "Light on black in the picture and the page (--colours dark)")
        ->excludes(coloursOption);
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
    std::string converted = utf8    ? cp437ToUtf8(generation.text)
                            : ascii ? asciiCopy(generation.text)
                                    : std::string();
    const std::string& text = utf8 || ascii ? converted : generation.text;
    if (!generation.succeeded) {
        // The report's own lines end with CR LF; one more ends its last line.
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fwrite("\r\n", 1, 2, stderr);
    }
    std::vector<OutputFile> files;
    if (!output.empty() && generation.succeeded)
        files.push_back(outputOf(output, text));
    if (dark)
        setPictureColours("dark", style);
    std::unique_ptr<NfoPicture> picture;
    if (!png.empty()) {
        try {
            picture.reset(new NfoPicture(generation.text, style));
        } catch (const PictureTooLarge&) {
            std::fprintf(stderr, "Picture too large for PNG: %s\n", png.c_str());
            return ExitBadInput;
        }
        files.push_back({png, [&picture](const ByteSink& sink) { return picture->write(sink); }});
    }
    std::string page;
    if (!html.empty()) {
        page = nfoPage(generation.text, title, style);
        files.push_back(outputOf(html, page));
    }
    if (files.empty() && generation.succeeded && !writeOutput("", text))
        return ExitBadInput;
    if (!files.empty() && !writeOutputFiles(files))
        return ExitBadInput;
    return generation.succeeded ? ExitSuccess : ExitFailed;
}
