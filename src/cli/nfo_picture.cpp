#include "cli/nfo_picture.h"

#include <cstdint>
#include <new>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace {

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
}

}  // namespace

std::string nfoPicture(const std::string& text, Colours colours) {
    const NfoPictureRows rows(text);
    const size_t width = rows.width(), height = rows.height();
    const PictureColours grey = pictureColours(colours);
    std::vector<uint8_t> pixels(width * height);
    for (size_t y = 0; y < height; ++y) {
        uint8_t* row = &pixels[y * width];
        rows.draw(y, row);
        for (size_t x = 0; x < width; ++x)
            row[x] = row[x] != 0 ? grey.ink : grey.paper;
    }
    std::string png;
    if (stbi_write_png_to_func(appendBytes, &png, static_cast<int>(width), static_cast<int>(height),
                               1, pixels.data(), static_cast<int>(width)) == 0) {
        throw std::bad_alloc();  // the encoder fails only when it runs out of memory
    }
    return png;
}
