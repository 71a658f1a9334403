#include "sheets/nfo_picture_rows.h"

#include <algorithm>
#include <cstring>

#include "sheets/cp437_glyphs.h"

namespace {

const size_t nfoColumns = 79;

struct Scheme {
    const char* name;
    uint32_t ink;
    uint32_t paper;
};
const Scheme schemes[] = {{"light", 0x000000, 0xFFFFFF},
                          {"dark", 0xC0C0C0, 0x000000},
                          {"amber", 0xFFB000, 0x000000},
                          {"green", 0x33FF33, 0x000000}};

// Six hex digits, with or without a leading #, as 0xRRGGBB.
bool hexColour(std::string text, uint32_t& colour) {
    if (!text.empty() && text[0] == '#')
        text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    colour = static_cast<uint32_t>(std::stoul(text, nullptr, 16));
    return true;
}

std::string found(const std::string& text) {
    return ", found \"" + text + "\"";
}

}  // namespace

PictureColours pictureColours(Colours colours) {
    if (colours == Colours::LightOnDark)
        return {0xC0, 0x00};
    return {0x00, 0xFF};
}

std::string setPictureColours(const std::string& text, PictureStyle& style) {
    for (const Scheme& scheme : schemes) {
        if (text == scheme.name) {
            style.ink = scheme.ink;
            style.paper = scheme.paper;
            return "";
        }
    }
    const size_t comma = text.find(',');
    uint32_t ink = 0, paper = 0;
    if (comma == std::string::npos || !hexColour(text.substr(0, comma), ink) ||
        !hexColour(text.substr(comma + 1), paper)) {
        return "expected light, dark, amber, green or INK,PAPER in hex (as c0c0c0,000000)" +
               found(text);
    }
    if (ink == paper)
        return "ink and paper are the same colour" + found(text);
    style.ink = ink;
    style.paper = paper;
    return "";
}

std::string setPictureCell(const std::string& text, PictureStyle& style) {
    if (text != "8" && text != "9")
        return "expected 8 or 9" + found(text);
    style.cellWidth = static_cast<uint32_t>(text[0] - '0');
    return "";
}

std::string setPictureScale(const std::string& text, PictureStyle& style) {
    if (text.size() != 1 || text[0] < '1' || text[0] > static_cast<char>('0' + maxPictureScale))
        return "expected 1, 2, 3 or 4" + found(text);
    style.scale = static_cast<uint32_t>(text[0] - '0');
    return "";
}

NfoPictureRows::NfoPictureRows(const std::string& text, const PictureStyle& style)
    : text(text),
      lines(textLines(text)),
      cellWidth(style.cellWidth == 9 ? 9 : glyphWidth),
      scale(std::min(std::max<uint32_t>(style.scale, 1), maxPictureScale)) {
    size_t columns = nfoColumns;
    for (const TextLine& line : lines)
        columns = std::max(columns, line.length);
    pixelWidth = columns * cellWidth * scale;
    pixelHeight = std::max<size_t>(lines.size(), 1) * glyphHeight * scale;
}

void NfoPictureRows::draw(size_t y, uint8_t* row) const {
    std::memset(row, 0, pixelWidth);
    const size_t lineIndex = y / scale / glyphHeight;
    if (lineIndex >= lines.size())
        return;
    const TextLine& line = lines[lineIndex];
    const uint32_t glyphRow = static_cast<uint32_t>(y / scale % glyphHeight);
    for (size_t column = 0; column < line.length; ++column) {
        const uint8_t byte = static_cast<uint8_t>(text[line.start + column]);
        const uint8_t bits = cp437Glyphs[byte][glyphRow];
        // The ninth column, when there is one, repeats the eighth for 0xC0-0xDF only.
        const bool joins = byte >= 0xC0 && byte <= 0xDF;
        uint8_t* pixel = row + column * cellWidth * scale;
        for (uint32_t x = 0; x < cellWidth; ++x) {
            const uint32_t from = x < glyphWidth ? x : (joins ? glyphWidth - 1 : glyphWidth);
            if (from < glyphWidth && (bits & (0x80u >> from)) != 0)
                std::memset(pixel + x * scale, 1, scale);
        }
    }
}

bool NfoPictureRows::drawRows(size_t first, size_t count, std::vector<uint8_t>& pixels) const {
    if (first > pixelHeight || count > pixelHeight - first)
        return false;
    pixels.resize(count * pixelWidth);
    for (size_t row = 0; row < count; ++row)
        draw(first + row, pixels.data() + row * pixelWidth);
    return true;
}
