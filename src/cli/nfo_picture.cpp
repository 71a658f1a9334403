#include "cli/nfo_picture.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "cli/cp437.h"
#include "cli/cp437_glyphs.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

const size_t nfoColumns = 79;
const uint8_t black = 0x00, white = 0xFF, lightGrey = 0xC0;

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}

}  // namespace

std::string nfoPicture(const std::string& text, Colours colours) {
    std::vector<std::string> lines = textLines(text);
    size_t columns = nfoColumns;
    for (const std::string& line : lines)
        columns = std::max(columns, line.size());
    const size_t width = columns * glyphWidth;
    const size_t height = std::max<size_t>(lines.size(), 1) * glyphHeight;
    const bool dark = colours == Colours::LightOnDark;
    const uint8_t ink = dark ? lightGrey : black;
    std::vector<uint8_t> pixels(width * height, dark ? black : white);
    for (size_t row = 0; row < lines.size(); ++row) {
        for (size_t column = 0; column < lines[row].size(); ++column) {
            const uint8_t* glyph = cp437Glyphs[static_cast<uint8_t>(lines[row][column])];
            for (uint32_t y = 0; y < glyphHeight; ++y) {
                uint8_t* pixel = &pixels[(row * glyphHeight + y) * width + column * glyphWidth];
                for (uint32_t x = 0; x < glyphWidth; ++x) {
                    if (glyph[y] & (0x80u >> x))
                        pixel[x] = ink;
                }
            }
        }
    }
    std::string png;
    if (stbi_write_png_to_func(appendBytes, &png, static_cast<int>(width), static_cast<int>(height),
                               1, pixels.data(), static_cast<int>(width)) == 0) {
        throw std::bad_alloc();  // the encoder fails only when it runs out of memory
    }
    return png;
}
