#include "cli/nfo_picture_rows.h"

#include <algorithm>
#include <cstring>

#include "cli/cp437_glyphs.h"

namespace {

const size_t nfoColumns = 79;

}  // namespace

PictureColours pictureColours(Colours colours) {
    if (colours == Colours::LightOnDark)
        return {0xC0, 0x00};
    return {0x00, 0xFF};
}

// The lines are the text cut at each LF, with the CR before it dropped; the last line's end, when
// there is one, starts no further line.
NfoPictureRows::NfoPictureRows(const std::string& text) : text(text) {
    size_t columns = nfoColumns;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t length = end - start;
        if (end < text.size() && length > 0 && text[end - 1] == '\r')
            --length;
        lines.push_back({start, length});
        columns = std::max(columns, length);
        start = end + 1;
    }
    pixelWidth = columns * glyphWidth;
    pixelHeight = std::max<size_t>(lines.size(), 1) * glyphHeight;
}

void NfoPictureRows::draw(size_t y, uint8_t* row) const {
    std::memset(row, 0, pixelWidth);
    const size_t lineIndex = y / glyphHeight;
    if (lineIndex >= lines.size())
        return;
    const Line& line = lines[lineIndex];
    const uint32_t glyphRow = static_cast<uint32_t>(y % glyphHeight);
    for (size_t column = 0; column < line.length; ++column) {
        const uint8_t bits = cp437Glyphs[static_cast<uint8_t>(text[line.start + column])][glyphRow];
        uint8_t* pixel = row + column * glyphWidth;
        for (uint32_t x = 0; x < glyphWidth; ++x)
            pixel[x] = (bits & (0x80u >> x)) != 0 ? 1 : 0;
    }
}
