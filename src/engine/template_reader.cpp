#include "engine/template_reader.h"

#include "foundation/memory.h"

TemplateReader templateReader;

void TemplateReader::start(const char* newText, uint32_t newSize) {
    text = newText;
    size = newSize;
    position = 0;
}

bool TemplateReader::nextLine() {
    if (position == 0)
        lineNumber = 0;
    if (text == nullptr || position >= size)
        return false;

    const char* begin = text + position;
    const char* end = begin;
    const char* const limit = text + size;
    while (end != limit && *end != '\n' && *end != 0)
        ++end;

    uint32_t length = static_cast<uint32_t>(end - begin);
    if (length != 0 && begin[length - 1] == '\r')
        --length;
    if (length > nfoLineWidth)
        length = nfoLineWidth;
    memCopy(line, begin, length);
    line[length] = 0;
    lineLength = length;

    ++lineNumber;
    // The LF or NUL belongs to no line; a last line without one ends at the end of the text.
    position = end != limit ? static_cast<uint32_t>(end - text) + 1 : size;
    return true;
}
