// An NFO (or a failure report) as a picture and as a web page, each byte in its CP437 glyph.
#pragma once

#include <string>

#include "cli/nfo_picture_rows.h"

// Thrown by nfoPicture when the picture is wider or taller than a PNG can be.
struct PictureTooLarge {};

// A two-colour PNG: one cell of the glyph table a byte, 79 cells wide (more when a line is
// longer), a row of cells a line (at least one row). The rows are encoded as they are drawn, so
// only the compressed picture is held whole.
std::string nfoPicture(const std::string& text, Colours colours);

// A self-contained UTF-8 web page showing the text exactly in a <pre> block, under the title.
std::string nfoPage(const std::string& text, const std::string& title, Colours colours);
