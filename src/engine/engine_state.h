// The engine's process-wide state between the steps of one generation.
#pragma once

#include <cstdint>

#include "foundation/list.h"
#include "foundation/string.h"

const uint32_t insertLinesCapacity = 8;

// The lines of the INSERTLINE block in force; only the first insertLineCount are valid.
extern String insertLines[insertLinesCapacity];
extern uint32_t insertLineCount;

// PendingInsertion records, newest first.
extern List pendingInsertions;
