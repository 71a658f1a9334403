// A template as a text editor holds it: its CP437 bytes as characters, one line a line, and back
// to CP437 with CR LF; the starter a new template begins from, and what each directive means.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/directive_keywords.h"

// The template's bytes as UTF-8 text whose lines end with LF, as a text box shows them. The
// template's line ends (LF, CR LF, and NUL, which the engine also reads as a line end) become LF;
// TAB stays a tab; every other byte becomes its CP437 character, a control byte its pictograph.
std::string templateForEditing(const std::string& bytes);

// A character of edited text that CP437 cannot hold: its line and column (from 1, counted in
// characters), and the character itself.
struct UnmappedCharacter {
    uint32_t line;
    uint32_t column;
    char32_t character;
};

// Edited UTF-8 text back to template bytes: each LF (or CR LF) becomes CR LF and every character
// its CP437 byte. A character CP437 lacks, a malformed sequence (as U+FFFD) and NUL, which would
// end the engine's line, are listed in unmapped and written as "?".
std::string templateFromEditing(const std::string& utf8, std::vector<UnmappedCharacter>& unmapped);

// A new template's text (UTF-8, LF line ends): a frame, and every field placed once.
extern const char* const starterTemplate;

// What the editor's insert menu offers for a directive.
struct DirectiveGuide {
    // The parameters' names, as written after the keyword.
    const char* parameters;
    // A directive line to insert: the keyword with usable parameters.
    const char* example;
    // One line on what it does, and which check box keeps it.
    const char* meaning;
};

// Indexed by DirectiveKind.
extern const DirectiveGuide directiveGuides[directiveKindCount];
