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

// How a picture is drawn: its two colours (0xRRGGBB), the width of a character's cell (8 pixels,
// or 9 as a VGA screen draws text) and how many times each pixel is drawn across and down.
struct PictureStyle {
    uint32_t ink = 0x000000;
    uint32_t paper = 0xFFFFFF;
    uint32_t cellWidth = 8;
    uint32_t scale = 1;
};
const uint32_t maxPictureScale = 4;

// Sets the style's colours from a scheme's name (light, dark, amber, green) or from INK,PAPER in
// hex (as c0c0c0,000000): "" or what is wrong with the text.
std::string setPictureColours(const std::string& text, PictureStyle& style);
// The style's cell width from its text: "" or what is wrong with it.
std::string setPictureCell(const std::string& text, PictureStyle& style);
// The style's scale from its text: "" or what is wrong with it.
std::string setPictureScale(const std::string& text, PictureStyle& style);

// An NFO (or a failure report) as a picture: one cell of the CP437 glyph table a byte, 79 cells
// wide (more when a line is longer), a row of cells a line (at least one row). A 9-pixel cell
// repeats the glyph's last column for the frames and blocks of 0xC0-0xDF, which join their
// neighbours, and leaves it blank for the others. It keeps a reference to the text, which must
// outlive it.
class NfoPictureRows {
public:
    explicit NfoPictureRows(const std::string& text, const PictureStyle& style = PictureStyle());

    size_t width() const { return pixelWidth; }
    size_t height() const { return pixelHeight; }
    // Pixel row y (0 <= y < height()) into row, width() bytes: 1 for ink, 0 for paper.
    void draw(size_t y, uint8_t* row) const;
    // Pixel rows first .. first + count - 1 into pixels, made count * width() bytes; false when
    // they are not all rows of the picture. Throws std::bad_alloc when they cannot be held.
    bool drawRows(size_t first, size_t count, std::vector<uint8_t>& pixels) const;

private:
    const std::string& text;
    std::vector<TextLine> lines;
    uint32_t cellWidth;
    uint32_t scale;
    size_t pixelWidth;
    size_t pixelHeight;
};
