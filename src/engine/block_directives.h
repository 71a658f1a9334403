// The one-parameter directives, which act on the template lines after them: FILLWAIT keeps or
// drops them by the fill-request check box, INSERTLINE takes them as continuation backgrounds.
#pragma once

#include <cstdint>

#include "engine/directive_keywords.h"
#include "engine/release_form.h"

// Runs FILLWAIT or INSERTLINE with its line count (at least 1); any other kind does nothing.
bool handleBlockDirective(const ReleaseForm& form, DirectiveKind kind, int32_t lineCount);

// Reads and discards count template lines unseen; UnexpectedEndOfFile when the text ends first.
bool dropTemplateLines(int32_t count);
