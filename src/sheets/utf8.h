// UTF-8 encoding and decoding of single characters.
#pragma once

#include <cstddef>
#include <string>

// Appends the UTF-8 form of character (at most U+10FFFF) to text.
void appendUtf8(std::string& text, char32_t character);

// Decodes the character starting at position and moves position past it. False, with position
// unchanged, for a malformed, overlong or truncated sequence or a surrogate.
bool decodeUtf8(const std::string& text, size_t& position, char32_t& character);

// "U+20AC": the code point in the usual notation, at least four hex digits.
std::string codePointName(char32_t character);
