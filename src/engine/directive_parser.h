// Directive lines: "#" KEYWORD followed by up to three numeric parameters, each after one space.
#pragma once

#include <cstdint>

#include "engine/directive_keywords.h"
#include "engine/release_form.h"

const uint32_t maxDirectiveParameters = 3;

struct Directive {
    DirectiveKind kind;
    // 0, 1 or 3, from directiveParameterCounts.
    uint32_t parameterCount;
    // P1 (lines governed), P2 (0-based target within them), P3 (column, -1 centres).
    int32_t parameters[maxDirectiveParameters];
    // The template line the directive stands on.
    uint32_t line;
};

// Splits and validates a directive line (its first character is "#"). On failure LastError holds
// CustomError and the reason, naming the upper-cased keyword.
bool parseDirectiveLine(const char* line, Directive& directive);

// Hands a parsed directive to the routine for its parameter count.
bool dispatchDirective(const ReleaseForm& form, const Directive& directive);

// Parses the reader's current line and dispatches it; false on any failure, LastError set.
bool handleDirectiveLine(const ReleaseForm& form);
