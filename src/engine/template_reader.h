// TemplateReader: cuts the loaded template into lines, one at a time. LF and NUL end a line, a CR
// just before the end is dropped, and every line is cut to the NFO width of 79 characters.
#pragma once

#include <cstdint>

// Characters in one NFO line; columns run from 0 to 78.
const uint32_t nfoLineWidth = 79;

// A plain record (no construction needed before the entry point): one process-wide instance.
struct TemplateReader {
    // Points the reader at a text of size bytes and rewinds it; the next line read is line 1.
    void start(const char* text, uint32_t size);
    // Reads the next line into line; false when the text is exhausted (line and lineNumber are
    // then unchanged).
    bool nextLine();

    const char* text;
    uint32_t size;
    // Byte offset of the next line.
    uint32_t position;
    // 1-based number of the line read last; 0 before the first.
    uint32_t lineNumber;
    // The line read last, NUL-terminated, without its line end.
    char line[nfoLineWidth + 1];
    uint32_t lineLength;
};

extern TemplateReader templateReader;
