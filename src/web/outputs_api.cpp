// The page's further outputs: the NFO's plain ASCII copy, and the picture drawn as the user chose
// for Save PNG, through the same table and the same picture rows as the command-line tool's.
#include <emscripten/emscripten.h>

#include <new>
#include <string>
#include <vector>

#include "sheets/ascii_copy.h"
#include "sheets/nfo_picture_rows.h"

extern "C" {
const char* quenbyNfoBytes();
uint32_t quenbyNfoSize();
}

namespace {

std::string asciiText;
std::string pictureText;  // the picture's own copy, which later generations leave alone
PictureStyle style;
NfoPictureRows* picture = nullptr;
std::vector<uint8_t> pixels;
std::string answer;

}  // namespace

extern "C" {

// The last generation's bytes in plain ASCII, quenbyNfoSize() of them.
EMSCRIPTEN_KEEPALIVE const char* quenbyAsciiCopy() {
    try {
        asciiText = asciiCopy(std::string(quenbyNfoBytes(), quenbyNfoSize()));
    } catch (const std::bad_alloc&) {
        asciiText.clear();
        return nullptr;
    }
    return asciiText.data();
}

// Draws the last generation at the given scale ("1" to "4"), cell width ("8" or "9") and colours
// (a scheme's name or INK,PAPER in hex), for quenbyPngRows: "" or what is wrong with a choice,
// named as the command line names it.
EMSCRIPTEN_KEEPALIVE const char* quenbyPngPicture(const char* scale, const char* cell,
                                                  const char* colours) {
    delete picture;
    picture = nullptr;
    PictureStyle chosen;
    const char* names[] = {"--scale", "--cell", "--colours"};
    const char* texts[] = {scale, cell, colours};
    std::string (*setters[])(const std::string&, PictureStyle&) = {setPictureScale, setPictureCell,
                                                                   setPictureColours};
    for (int i = 0; i < 3; ++i) {
        const std::string problem = setters[i](texts[i], chosen);
        if (!problem.empty()) {
            answer = std::string(names[i]) + ": " + problem;
            return answer.c_str();
        }
    }
    try {
        style = chosen;
        pictureText.assign(quenbyNfoBytes(), quenbyNfoSize());
        picture = new NfoPictureRows(pictureText, style);
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    }
    return "";
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyPngWidth() {
    return picture != nullptr ? static_cast<uint32_t>(picture->width()) : 0;
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyPngHeight() {
    return picture != nullptr ? static_cast<uint32_t>(picture->height()) : 0;
}

// The chosen ink (0) or paper (1) as 0xRRGGBB.
EMSCRIPTEN_KEEPALIVE uint32_t quenbyPngColour(int which) {
    return which == 0 ? style.ink : style.paper;
}

// Pixel rows first .. first + count - 1 of the chosen picture, width bytes a row: 1 for ink, 0 for
// paper. Null when there is no picture or the rows cannot be held.
EMSCRIPTEN_KEEPALIVE const uint8_t* quenbyPngRows(uint32_t first, uint32_t count) {
    try {
        return picture != nullptr && picture->drawRows(first, count, pixels) ? pixels.data()
                                                                             : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
}
