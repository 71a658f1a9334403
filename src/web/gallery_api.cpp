// The entry points of the page's Gallery: any template of the selector drawn small with the form
// as it stands, while the chosen template stays loaded for the preview.
#include <emscripten/emscripten.h>

#include <new>
#include <vector>

#include "catalogue/current_template.h"
#include "catalogue/template_catalogue.h"
#include "sheets/generation.h"
#include "sheets/nfo_picture_rows.h"
#include "web/page_form.h"

namespace {

std::vector<uint8_t> shrunk;
uint32_t shrunkWidth = 0;
uint32_t shrunkHeight = 0;

// Each block of shrink x shrink pixels of the picture becomes one byte: how many of them are ink.
// Pixels past the last whole block are left out.
void shrinkPicture(const NfoPictureRows& picture, uint32_t shrink) {
    const uint32_t width = static_cast<uint32_t>(picture.width() / shrink);
    const uint32_t height = static_cast<uint32_t>(picture.height() / shrink);
    shrunk.assign(static_cast<size_t>(width) * height, 0);
    std::vector<uint8_t> row(picture.width());
    for (size_t y = 0; y < static_cast<size_t>(height) * shrink; ++y) {
        picture.draw(y, row.data());
        uint8_t* out = shrunk.data() + (y / shrink) * width;
        for (size_t x = 0; x < static_cast<size_t>(width) * shrink; ++x)
            out[x / shrink] = static_cast<uint8_t>(out[x / shrink] + row[x]);
    }
    shrunkWidth = width;
    shrunkHeight = height;
}

// The chosen template, set aside while another one is loaded, and put back whatever happens.
class ChosenTemplate {
public:
    ChosenTemplate()
        : text(CurrentTemplate.text), size(CurrentTemplate.size), name(CurrentTemplate.name) {
        CurrentTemplate.text = nullptr;
    }
    ~ChosenTemplate() {
        unloadTemplate();
        CurrentTemplate.text = text;
        CurrentTemplate.size = size;
        CurrentTemplate.name = name;
    }
    ChosenTemplate(const ChosenTemplate&) = delete;
    ChosenTemplate& operator=(const ChosenTemplate&) = delete;

private:
    char* text;
    uint32_t size;
    String name;
};

}  // namespace

extern "C" {

// Draws the selector's entry name with the form as it stands, shrunk by shrink (1 to 15): 1 when
// the NFO was drawn, 0 when its failure report was, -1 when the template cannot be loaded or the
// memory ran out (then there is no drawing).
EMSCRIPTEN_KEEPALIVE int quenbyGalleryDraw(const char* name, uint32_t shrink) {
    const ChosenTemplate chosen;
    shrunkWidth = shrunkHeight = 0;
    if (shrink < 1 || shrink > 15 || !loadTemplate(String(name)))
        return -1;
    try {
        const Generation generation = generate(pageForm());
        shrinkPicture(NfoPictureRows(generation.text), shrink);
        return generation.succeeded ? 1 : 0;
    } catch (const std::bad_alloc&) {
        shrunkWidth = shrunkHeight = 0;
        return -1;
    }
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyGalleryWidth() {
    return shrunkWidth;
}

EMSCRIPTEN_KEEPALIVE uint32_t quenbyGalleryHeight() {
    return shrunkHeight;
}

// The last drawing, width x height bytes, row by row: the ink pixels of each block.
EMSCRIPTEN_KEEPALIVE const uint8_t* quenbyGalleryPixels() {
    return shrunk.data();
}
}
