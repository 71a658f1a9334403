#include <cstdio>

#include "cli/nfo_picture.h"
#include "sheets/cp437.h"
#include "sheets/utf8.h"

namespace {

// CP437 text as HTML text: each byte its character, the NUL byte's empty glyph a space, and the
// characters that HTML would read as markup escaped.
std::string htmlText(const char* text, size_t length) {
    std::string html;
    for (const char* end = text + length; text != end; ++text) {
        const char c = *text;
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '\0':
                html += ' ';
                break;
            default:
                appendUtf8(html, cp437Character(static_cast<uint8_t>(c)));
        }
    }
    return html;
}

// A colour as CSS writes it: #rrggbb.
std::string cssColour(uint32_t colour) {
    char css[8];
    std::snprintf(css, sizeof css, "#%06x", static_cast<unsigned>(colour & 0xFFFFFF));
    return css;
}

}  // namespace

std::string nfoPage(const std::string& text, const std::string& title, const PictureStyle& style) {
    std::string page =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" +
        htmlText(title.data(), title.size()) +
        "</title>\n<style>\n"
        "body { margin: 0; padding: 16px; background: " +
        cssColour(style.paper) + "; color: " + cssColour(style.ink) +
        "; }\n"
        // Fonts that draw the frames, shades and blocks; one line a font size, so blocks join.
        "pre { margin: 0; font-family: \"DejaVu Sans Mono\", \"Cascadia Mono\", Consolas, Menlo,"
        " \"Liberation Mono\", \"Courier New\", monospace; font-size: 16px; line-height: 1;"
        " font-variant-ligatures: none; }\n"
        "</style>\n</head>\n<body>\n<pre>\n";  // the parser drops this first line end
    for (const TextLine& line : textLines(text))
        page += htmlText(text.data() + line.start, line.length) + "\n";
    return page + "</pre>\n</body>\n</html>\n";
}
