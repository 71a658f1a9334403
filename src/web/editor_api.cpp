// The template editor's entry points. The page's text box holds the template as characters; here
// it becomes CP437 bytes with CR LF, is loaded as the current template, and is checked by the
// command line's checker. What the page shows of the language (the problems, the insert menu, the
// starter) comes from here. Texts pass as UTF-8; a returned text stays valid until the next call.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "catalogue/current_template.h"
#include "catalogue/template_catalogue.h"
#include "sheets/cp437.h"
#include "sheets/sheet_text.h"
#include "sheets/template_check.h"
#include "sheets/template_editing.h"
#include "sheets/template_selector.h"
#include "sheets/utf8.h"

namespace {

const char* const outOfMemory = "{\"memory\":true}";
std::string editorAnswer;
std::string editedBytes;

const char* give(std::string text) {
    editorAnswer = std::move(text);
    return editorAnswer.c_str();
}

// Text as a JSON string; the text is UTF-8 already. A TOML basic string's escapes are JSON's.
std::string json(const std::string& text) {
    return quoted(text);
}

std::string json(uint32_t number) {
    return std::to_string(number);
}

// The shipped templates: "<Default>" and the loose ones the catalogue found beside the archive.
bool isShipped(const std::string& name) {
    const std::vector<std::string> shipped = selectorEntries({});
    return std::any_of(shipped.begin(), shipped.end(), [&](const std::string& entry) {
        return lowerCaseAscii(entry) == lowerCaseAscii(name);
    });
}

}  // namespace

extern "C" {

// The insert menu: {"directives": [{keyword, parameters, example, meaning}...], "characters":
// the shade, block and box-drawing characters of CP437}.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorGuide() {
    std::string out = "{\"directives\":[";
    for (uint32_t kind = 0; kind < directiveKindCount; ++kind) {
        const DirectiveGuide& guide = directiveGuides[kind];
        out += std::string(kind == 0 ? "" : ",") +
               "{\"keyword\":" + json(orEmpty(directiveKeywords[kind])) +
               ",\"parameters\":" + json(guide.parameters) + ",\"example\":" + json(guide.example) +
               ",\"meaning\":" + json(guide.meaning) + "}";
    }
    std::string characters;
    for (uint32_t byte = 0xB0; byte <= 0xDF; ++byte)
        appendUtf8(characters, cp437Character(static_cast<uint8_t>(byte)));
    appendUtf8(characters, cp437Character(0xFE));
    return give(out + "],\"characters\":" + json(characters) + "}");
}

// A new template's text.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorStarter() {
    return give(starterTemplate);
}

// The current template as the editor shows it.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorText() {
    if (CurrentTemplate.text == nullptr)
        return give("");
    return give(templateForEditing(std::string(CurrentTemplate.text, CurrentTemplate.size)));
}

// The name a template is edited under: a shipped one's copy gets a name of its own, which no
// shipped template has, so the shipped one is never replaced.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorName(const char* name) {
    const std::string base = std::string(name) == defaultTemplateName ? "Default" : name;
    if (!isShipped(name))
        return give(base);
    std::string copy = base + " copy";
    for (uint32_t n = 2; isShipped(copy); ++n)
        copy = base + " copy " + std::to_string(n);
    return give(copy);
}

// "" when name can be the edited template's file name (less ".ntf"), else why not.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorNameProblem(const char* name) {
    const std::string text = name;
    if (text.empty() || text.find_first_of("\\/:*?\"<>|") != std::string::npos ||
        std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<uint8_t>(c) < 0x20; }))
        return give("Not a usable template name: " + text);
    if (isShipped(text))
        return give(text + " is a shipped template: give the copy a name of its own.");
    return give("");
}

// Makes the edited text the current template, named name.ntf: {"unmapped": [{line, column,
// character, name}...]}, the characters CP437 lacks, written as "?"; with "memory": true when
// memory ran out and no template is loaded.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorSetText(const char* utf8, const char* name) {
    try {
        std::vector<UnmappedCharacter> unmapped;
        editedBytes = templateFromEditing(utf8, unmapped);
        if (!loadTemplateBytes(editedBytes.data(), static_cast<uint32_t>(editedBytes.size()),
                               (std::string(name) + ".ntf").c_str()))
            return give(outOfMemory);
        std::string out = "{\"unmapped\":[";
        for (const UnmappedCharacter& character : unmapped) {
            std::string shown;
            appendUtf8(shown, character.character);
            out += std::string(&character == unmapped.data() ? "" : ",") +
                   "{\"line\":" + json(character.line) + ",\"column\":" + json(character.column) +
                   ",\"character\":" + json(shown) +
                   ",\"name\":" + json(codePointName(character.character)) + "}";
        }
        return give(out + "]}");
    } catch (const std::bad_alloc&) {
        return give(outOfMemory);
    }
}

// The checker's problems with the current template, with its line numbers: {"problems": [{line,
// column, warning, message}...]}, or "memory": true when memory ran out.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorCheck() {
    try {
        std::string out = "{\"problems\":[";
        bool first = true;
        for (const TemplateProblem& problem : checkTemplate()) {
            out += std::string(first ? "" : ",") + "{\"line\":" + json(problem.line) +
                   ",\"column\":" + json(problem.column) +
                   ",\"warning\":" + (problem.isWarning ? "true" : "false") +
                   ",\"message\":" + json(cp437ToUtf8(problem.message)) + "}";
            first = false;
        }
        return give(out + "]}");
    } catch (const std::bad_alloc&) {
        return give(outOfMemory);
    }
}

// The edited template's bytes, CP437 with CR LF, for saving.
EMSCRIPTEN_KEEPALIVE const char* quenbyEditorBytes() {
    return editedBytes.data();
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyEditorSize() {
    return static_cast<uint32_t>(editedBytes.size());
}
}
