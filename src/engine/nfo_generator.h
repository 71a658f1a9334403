// The generation driver: merges CurrentTemplate and the form into nfoOutput, or shows the framed
// failure report.
#pragma once

#include "engine/nfo_view.h"
#include "engine/release_form.h"
#include "foundation/string.h"

// The text of the last successful generation, lines ended by CR LF; empty after a failure.
extern String nfoOutput;

// Runs one generation from scratch over CurrentTemplate, reading the form and showing the result.
void generateNfo(const ReleaseForm& form, NfoView& view);
