// The pixels of an NFO picture, drawn a row at a time, apart from any image format: the command
// line encodes the rows as PNG, the browser page puts them on a canvas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sheets/cp437.h"

enum class Colours { DarkOnLight, LightOnDark };

// The grey levels of the picture's two colours.
struct PictureColours {
    uint8_t ink;
    uint8_t paper;
};
PictureColours pictureColours(Colours colours);

// An NFO (or a failure report) as a picture: one cell of the CP437 glyph table a byte, 79 cells
// wide (more when a line is longer), a row of cells a line (at least one row). It keeps a
// reference to the text, which must outlive it.
class NfoPictureRows {
public:
    explicit NfoPictureRows(const std::string& text);

    size_t width() const { return pixelWidth; }
    size_t height() const { return pixelHeight; }
    // Pixel row y (0 <= y < height()) into row, width() bytes: 1 for ink, 0 for paper.
    void draw(size_t y, uint8_t* row) const;

private:
    const std::string& text;
    std::vector<TextLine> lines;
    size_t pixelWidth;
    size_t pixelHeight;
};
