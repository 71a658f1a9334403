// An NFO (or a failure report) as a picture and as a web page, each byte in its CP437 glyph.
#pragma once

#include <functional>
#include <string>

#include "sheets/nfo_picture_rows.h"

// The most pixels (width times height) a PNG picture may have. Image decoders, browsers' and the
// common libraries', count a picture's pixels in a signed 32-bit int, so a larger picture could
// be written but not read back.
const uint64_t maxPicturePixels = 0x7FFFFFFF;

// Thrown for a picture of more than maxPicturePixels pixels.
struct PictureTooLarge {};

// Takes a file's bytes a piece at a time; false when a piece could not be kept, which stops the
// writing.
using ByteSink = std::function<bool(const void* data, size_t size)>;

// A two-colour PNG of the text's picture (see NfoPictureRows) in a palette of two, a bit a pixel,
// made as it is written: the rows are
// encoded as they are drawn and each compressed chunk goes to the sink as it fills, so that only
// one chunk is held. It keeps a reference to the text, which must outlive it.
class NfoPicture {
public:
    // Throws PictureTooLarge (before anything is drawn) for more than maxPicturePixels pixels.
    NfoPicture(const std::string& text, const PictureStyle& style);
    // The PNG's bytes to sink; false when the sink refused a piece.
    bool write(const ByteSink& sink) const;

private:
    NfoPictureRows rows;
    uint32_t ink;
    uint32_t paper;
};

// A self-contained UTF-8 web page showing the text exactly in a <pre> block, under the title, in
// the style's colours.
std::string nfoPage(const std::string& text, const std::string& title, const PictureStyle& style);
