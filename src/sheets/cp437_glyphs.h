// The glyph of every CP437 byte in a cell of 8 x 14 pixels, made by the build from a bitmap font
// (scripts/make-cp437-glyphs.py): a byte a row, top row first, the leftmost pixel in the top bit.
// Frames, shades and blocks fill their cells to the edges, so that they join across cells.
#pragma once

#include <cstdint>

constexpr uint32_t glyphWidth = 8;
constexpr uint32_t glyphHeight = 14;
extern const uint8_t cp437Glyphs[256][glyphHeight];
