// File names as the tool shows them in messages: names come from strangers and may hold control
// characters or bytes that are not UTF-8, which must not reach a terminal or a sheet raw.
#pragma once

#include <string>

// True when the name is valid UTF-8.
bool isUtf8(const std::string& name);

// True when the name holds a control character (a byte below 0x20, or 0x7F).
bool hasControlCharacter(const std::string& name);

// The name with each control character, and each byte that is not part of a UTF-8 character,
// written as \xHH ("caf\xE9", "a\x0Ab").
std::string shownName(const std::string& name);
