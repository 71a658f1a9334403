// The text a field directive prints, composed from the release form with its fixed wording.
#pragma once

#include <cstdint>

#include "engine/directive_keywords.h"
#include "engine/release_form.h"
#include "foundation/string.h"

// The line of text that starts at offset, in a text whose lines are separated by LF (a CR before
// the LF is dropped); offset moves to the next line's start and more tells whether further lines
// follow. An empty text is one empty line, and a text ending with a line break has a last, empty
// line. Reading line after line this way costs time in proportion to the text's length.
String nextTextLine(const String& text, uint32_t& offset, bool& more);

// True for INSTALLINF, POSTEDTO, REMARKS and THANKSTO: one form line per output line.
bool isMultiLineField(DirectiveKind kind);

// The whole text of a multi-line field's control.
String multiLineFieldText(const ReleaseForm& form, DirectiveKind kind);

// The text of a single-line field, with its fixed wording. A null result means the composition
// ran out of memory.
String composeFieldText(const ReleaseForm& form, DirectiveKind kind);
