// The browser page's entry points. The page keeps the boxes and hands every change here, where
// the command-line tool's RecordForm, sheet reader, generation and picture rows work on it: the
// page's NFO is byte for byte the tool's. Texts pass as UTF-8; a returned text stays valid until
// the next call.
#include <emscripten/emscripten.h>
#include <unistd.h>

#include <new>
#include <string>
#include <vector>

#include "catalogue/template_catalogue.h"
#include "engine/form_table.h"
#include "engine/record_form.h"
#include "foundation/files.h"
#include "sheets/cp437.h"
#include "sheets/generation.h"
#include "sheets/nfo_picture_rows.h"
#include "sheets/release_sheet.h"
#include "sheets/sheet_text.h"
#include "sheets/template_selector.h"
#include "web/opened_templates.h"
#include "web/page_form.h"

namespace {

// The archive and the shipped templates, embedded at link time; the user's templates join them.
const char* const templateFolder = "/quenby";
const char* const outOfMemory = "Out of memory";

RecordForm* form = new RecordForm;
Generation generation;
NfoPictureRows* picture = nullptr;
std::vector<uint8_t> pixels;
std::string answer;

const char* give(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

}  // namespace

const ReleaseForm& pageForm() {
    return *form;
}

RecordForm& pageRecordForm() {
    return *form;
}

const char* pageAnswer(std::string text) {
    return give(std::move(text));
}

extern "C" {

// Opens the archive, loads "<Default>" and lists the shipped templates: "" or why not.
EMSCRIPTEN_KEEPALIVE const char* quenbyStart() {
    if (chdir(templateFolder) != 0)
        return give(std::string("Folder not found: ") + templateFolder);
    return give(buildCatalogue() ? "" : lastErrorMessage());
}

// The template selector's entries, one a line.
EMSCRIPTEN_KEEPALIVE const char* quenbyTemplates() {
    std::string lines;
    for (const std::string& entry : selectorEntries(userTemplates))
        lines += entry + "\n";
    return give(lines);
}

// Keeps a template the user opened as the loose template name: "" or why not.
EMSCRIPTEN_KEEPALIVE const char* quenbyAddTemplate(const char* name, const char* bytes,
                                                   uint32_t size) {
    const std::string file = std::string(name) + ".ntf";
    if (!writeFileAtomically(file.c_str(), bytes, size))
        return give(lastErrorMessage() + ": " + file);
    userTemplates.push_back(name);
    return give("");
}

// Loads the named entry of the selector into CurrentTemplate: "" or the catalogue's message.
EMSCRIPTEN_KEEPALIVE const char* quenbyChooseTemplate(const char* name) {
    return give(loadTemplate(String(name)) ? "" : lastErrorMessage());
}

// Sets a text box from typed text: "" or what keeps the text from the box, as the command-line
// tool says it of a sheet's value. A refused text leaves the box as it was.
EMSCRIPTEN_KEEPALIVE const char* quenbySetText(uint32_t page, uint32_t id, const char* utf8) {
    const FormControl* control = findFormControl(static_cast<FormPage>(page), id);
    try {
        if (control == nullptr ||
            !form->setText(control->page, id, boxText(*control, utf8).c_str()))
            return give("not a text box of the form");
        return give("");
    } catch (const ValueProblem& problem) {
        return give(problem.what());
    } catch (const std::bad_alloc&) {
        return give(outOfMemory);
    }
}

// Typed text as the newsgroups box lower-cases it.
EMSCRIPTEN_KEEPALIVE const char* quenbyLowerCase(const char* utf8) {
    return give(lowerCaseCp1252(utf8));
}

EMSCRIPTEN_KEEPALIVE void quenbySetChecked(uint32_t page, uint32_t id, int checked) {
    form->setChecked(static_cast<FormPage>(page), id, checked != 0);
}

// A text box's text as UTF-8.
EMSCRIPTEN_KEEPALIVE const char* quenbyText(uint32_t page, uint32_t id) {
    String text = form->text(static_cast<FormPage>(page), id);
    return give(cp437ToUtf8(std::string(orEmpty(text), text.length())));
}

EMSCRIPTEN_KEEPALIVE int quenbyChecked(uint32_t page, uint32_t id) {
    return form->isChecked(static_cast<FormPage>(page), id) ? 1 : 0;
}

// Starts the form again as the program's form starts.
EMSCRIPTEN_KEEPALIVE void quenbyClearForm() {
    delete form;
    form = new RecordForm;
}

// Fills the form from a release sheet: "" or the sheet reader's problems, one a line; then the
// form is as it was.
EMSCRIPTEN_KEEPALIVE const char* quenbyReadSheet(const char* text, const char* name) {
    RecordForm* read = nullptr;
    try {
        read = new RecordForm;
        readReleaseSheet(text, name, *read);
    } catch (const SheetError& error) {
        delete read;
        std::string lines;
        for (const std::string& problem : error.problems())
            lines += problem + "\n";
        return give(lines);
    } catch (const std::bad_alloc&) {
        delete read;
        return give(outOfMemory);
    }
    delete form;
    form = read;
    return give("");
}

// The form as a release sheet.
EMSCRIPTEN_KEEPALIVE const char* quenbySheet() {
    try {
        return give(releaseSheet(*form));
    } catch (const std::bad_alloc&) {
        return give("");
    }
}

// Generates the NFO from the form: 1 when it succeeded, 0 for the failure report, -1 when memory
// ran out.
EMSCRIPTEN_KEEPALIVE int quenbyGenerate() {
    delete picture;
    picture = nullptr;
    try {
        generation = generate(*form);
        picture = new NfoPictureRows(generation.text);
    } catch (const std::bad_alloc&) {
        generation = Generation();
        return -1;
    }
    return generation.succeeded ? 1 : 0;
}

// The template line the last generation failed on; 0 after a success.
EMSCRIPTEN_KEEPALIVE uint32_t quenbyFailureLine() {
    return generation.succeeded ? 0 : generation.line;
}

// The last generation's bytes (CP437, CR LF): the NFO or the failure report.
EMSCRIPTEN_KEEPALIVE const char* quenbyNfoBytes() {
    return generation.text.data();
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyNfoSize() {
    return static_cast<uint32_t>(generation.text.size());
}

// The last generation's text as UTF-8, for the clipboard.
EMSCRIPTEN_KEEPALIVE const char* quenbyNfoText() {
    return give(cp437ToUtf8(generation.text));
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyPictureWidth() {
    return picture != nullptr ? static_cast<uint32_t>(picture->width()) : 0;
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyPictureHeight() {
    return picture != nullptr ? static_cast<uint32_t>(picture->height()) : 0;
}

// Pixel rows first .. first + count - 1 of the last generation's picture, width bytes a row: 1
// for ink, 0 for paper. Null when there is no picture or the rows cannot be held.
EMSCRIPTEN_KEEPALIVE const uint8_t* quenbyPictureRows(uint32_t first, uint32_t count) {
    try {
        return picture != nullptr && picture->drawRows(first, count, pixels) ? pixels.data()
                                                                             : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// The picture's two grey levels, ink in the low byte and paper above it.
EMSCRIPTEN_KEEPALIVE uint32_t quenbyPictureColours(int dark) {
    PictureColours colours =
        pictureColours(dark != 0 ? Colours::LightOnDark : Colours::DarkOnLight);
    return colours.ink | (static_cast<uint32_t>(colours.paper) << 8);
}
}
