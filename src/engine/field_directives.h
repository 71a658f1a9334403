// The three-parameter directives: a gate read from the form's check boxes decides whether their
// lines stay; if they do, an insertion is queued for one of them.
#pragma once

#include <cstdint>

#include "engine/directive_keywords.h"
#include "engine/release_form.h"

// True when the directive applies with the form as it is now (kinds without a gate always apply).
bool fieldGateOpen(const ReleaseForm& form, DirectiveKind kind);

// Gate closed: drops the lineCount governed lines unseen. Gate open: queues the insertion.
bool handleFieldDirective(const ReleaseForm& form, DirectiveKind kind, int32_t lineCount,
                          int32_t targetOffset, int32_t column);

// Queues a PendingInsertion aimed at the line targetOffset + 1 lines below the reader's current
// line; OutOfMemory when no record or list node can be had.
bool queueInsertion(DirectiveKind kind, int32_t targetOffset, int32_t column);
