// CP437, the code page of NFO files: the character each byte stands for, and back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The character a byte stands for: ASCII for 0x20-0x7E, letters, symbols, box-drawing and shade
// characters for 0x80-0xFF, and for the control bytes 0x01-0x1F and 0x7F the pictographs that NFO
// viewers draw for them (smileys, card suits, notes, arrows, the house). 0x00 gives U+0000.
char32_t cp437Character(uint8_t byte);

// The byte standing for character, when CP437 has one. ASCII maps to itself (control characters
// included), and the control-byte pictographs map to their control bytes: callers that must not
// produce a control byte check the result.
bool cp437Byte(char32_t character, uint8_t& byte);

// CP437 text as UTF-8, for a terminal. CR, LF, TAB and NUL stay as they are, so line ends are
// unchanged; every other byte becomes its character.
std::string cp437ToUtf8(const std::string& text);

// A line of an NFO or a failure report: where it starts in the text, and its length.
struct TextLine {
    size_t start;
    size_t length;
};
// The lines of an NFO or a failure report: the text cut at each LF, with the CR before it
// dropped. The last line's end, when there is one, starts no further line.
std::vector<TextLine> textLines(const std::string& text);
