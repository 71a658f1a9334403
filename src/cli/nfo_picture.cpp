#include "cli/nfo_picture.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace {

const size_t ChunkSize = 1 << 16;  // compressed bytes an IDAT chunk holds

void appendNumber(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// A chunk to the sink: its length, type and data, and the CRC of type and data.
bool writeChunk(const ByteSink& sink, const char* type, const uint8_t* data, size_t size) {
    std::string chunk;
    chunk.reserve(12 + size);
    appendNumber(chunk, static_cast<uint32_t>(size));
    chunk.append(type, 4);
    if (size > 0)
        chunk.append(reinterpret_cast<const char*>(data), size);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), 4 + size);
    appendNumber(chunk, static_cast<uint32_t>(crc));
    return sink(chunk.data(), chunk.size());
}

// Deflates the filtered rows into IDAT chunks, each handed to the sink as it fills.
class ImageData {
public:
    explicit ImageData(const ByteSink& sink) : sink(sink), chunk(ChunkSize) {
        stream.zalloc = Z_NULL;
        stream.zfree = Z_NULL;
        stream.opaque = Z_NULL;
        if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) !=
            Z_OK) {
            throw std::bad_alloc();
        }
        resetOutput();
    }
    ~ImageData() { deflateEnd(&stream); }
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    bool add(const uint8_t* data, size_t size) { return run(data, size, Z_NO_FLUSH); }
    bool finish() { return run(nullptr, 0, Z_FINISH); }

private:
    // False when the sink refused a chunk.
    bool run(const uint8_t* data, size_t size, int flush) {
        stream.next_in = const_cast<Bytef*>(data);
        stream.avail_in = static_cast<uInt>(size);
        for (;;) {
            int result = deflate(&stream, flush);
            if (result == Z_STREAM_ERROR)
                throw std::bad_alloc();
            if (stream.avail_out == 0) {
                if (!writeChunk(sink, "IDAT", chunk.data(), chunk.size()))
                    return false;
                resetOutput();
                continue;
            }
            if (flush == Z_FINISH ? result == Z_STREAM_END : stream.avail_in == 0)
                break;
        }
        return flush != Z_FINISH || stream.avail_out == chunk.size() ||
               writeChunk(sink, "IDAT", chunk.data(), chunk.size() - stream.avail_out);
    }
    void resetOutput() {
        stream.next_out = chunk.data();
        stream.avail_out = static_cast<uInt>(chunk.size());
    }

    const ByteSink& sink;
    std::vector<uint8_t> chunk;
    z_stream stream;
};

}  // namespace

NfoPicture::NfoPicture(const std::string& text, const PictureStyle& style)
    : rows(text, style), ink(style.ink), paper(style.paper) {
    if (static_cast<uint64_t>(rows.width()) * rows.height() > maxPicturePixels)
        throw PictureTooLarge();
}

bool NfoPicture::write(const ByteSink& sink) const {
    const size_t width = rows.width(), height = rows.height();
    // Two colours, so a palette of two and a bit a pixel: paper 0, ink 1.
    uint8_t header[13] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 3, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<uint8_t>(width >> (24 - 8 * i));
        header[4 + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
    }
    uint8_t palette[6];
    for (int i = 0; i < 3; ++i) {
        palette[i] = static_cast<uint8_t>(paper >> (16 - 8 * i));
        palette[3 + i] = static_cast<uint8_t>(ink >> (16 - 8 * i));
    }
    if (!sink("\x89PNG\r\n\x1A\n", 8) || !writeChunk(sink, "IHDR", header, sizeof header) ||
        !writeChunk(sink, "PLTE", palette, sizeof palette)) {
        return false;
    }
    // Each row is one filter byte (none: the best choice for a palette) and the packed pixels.
    std::vector<uint8_t> pixels(width);
    std::vector<uint8_t> packed(1 + (width + 7) / 8);
    ImageData data(sink);
    for (size_t y = 0; y < height; ++y) {
        rows.draw(y, pixels.data());
        std::fill(packed.begin(), packed.end(), 0);
        for (size_t x = 0; x < width; ++x) {
            if (pixels[x] != 0)
                packed[1 + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        if (!data.add(packed.data(), packed.size()))
            return false;
    }
    return data.finish() && writeChunk(sink, "IEND", nullptr, 0);
}
