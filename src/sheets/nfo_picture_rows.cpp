#include "sheets/nfo_picture_rows.h"

#include <algorithm>
#include <cstring>

#include "sheets/cp437_glyphs.h"

namespace {

const size_t nfoColumns = 79;

}  // namespace

PictureColours pictureColours(Colours colours) {
    if (colours == Colours::LightOnDark)
        return {0xC0, 0x00};
    return {0x00, 0xFF};
}

NfoPictureRows::NfoPictureRows(const std::string& text) : text(text), lines(textLines(text)) {
    size_t columns = nfoColumns;
    for (const TextLine& line : lines)
        columns = std::max(columns, line.length);
    pixelWidth = columns * glyphWidth;
    pixelHeight = std::max<size_t>(lines.size(), 1) * glyphHeight;
}

void NfoPictureRows::draw(size_t y, uint8_t* row) const {
    std::memset(row, 0, pixelWidth);
    const size_t lineIndex = y / glyphHeight;
    if (lineIndex >= lines.size())
        return;
    const TextLine& line = lines[lineIndex];
    const uint32_t glyphRow = static_cast<uint32_t>(y % glyphHeight);
    for (size_t column = 0; column < line.length; ++column) {
        const uint8_t bits = cp437Glyphs[static_cast<uint8_t>(text[line.start + column])][glyphRow];
        uint8_t* pixel = row + column * glyphWidth;
        for (uint32_t x = 0; x < glyphWidth; ++x)
            pixel[x] = (bits & (0x80u >> x)) != 0 ? 1 : 0;
    }
}
