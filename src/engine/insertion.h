// Pending insertions and the ordinary template lines they land on: a queued field is composed
// from the form when its target line is reached and laid over that line.
#pragma once

#include <cstdint>

#include "engine/directive_keywords.h"
#include "engine/release_form.h"

// One queued field, kept in pendingInsertions (newest first) from its directive line until its
// target line; allocated with memAlloc, released with memFree.
struct PendingInsertion {
    DirectiveKind kind;
    // 1-based template line that receives the text.
    uint32_t targetLine;
    // -1 (centred) or 0 to 78.
    int32_t column;
};

// The failures found when a line is reached: its insertion's target was removed, or two fields
// aim at it.
extern const char* const removedTargetMessage;
extern const char* const sharedTargetMessage;

// The reader's current line, which is not a directive line: written as it is, or with the one
// insertion due on it.
bool handleTextLine(const ReleaseForm& form);

// Lays the field's text over the reader's current line at column (-1 centres), one output line per
// text line; continuation lines are laid over the INSERTLINE block in turn, or over nothing.
bool renderInsertion(const ReleaseForm& form, DirectiveKind kind, int32_t column);

// Releases every pending record and empties the list.
void clearPendingInsertions();
