#include "cli/name_text.h"

#include <cstdio>

#include "sheets/utf8.h"

bool isUtf8(const std::string& name) {
    char32_t character;
    for (size_t position = 0; position < name.size();) {
        if (!decodeUtf8(name, position, character))
            return false;
    }
    return true;
}

bool hasControlCharacter(const std::string& name) {
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    }
    return false;
}

std::string shownName(const std::string& name) {
    std::string shown;
    char32_t character;
    for (size_t position = 0; position < name.size();) {
        const size_t start = position;
        const unsigned char byte = static_cast<unsigned char>(name[position]);
        if (byte >= 0x20 && byte != 0x7F && decodeUtf8(name, position, character)) {
            shown.append(name, start, position - start);
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        shown += escape;
        position = start + 1;
    }
    return shown;
}
