#include "foundation/file_names.h"

#include <cstdint>

#include "foundation/memory.h"

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 0x20) : c;
}

}  // namespace

bool hasExtension(const char* name, const char* extension) {
    uint32_t nameLength = strLength(name);
    uint32_t extensionLength = strLength(extension);
    if (nameLength < extensionLength)
        return false;
    const char* tail = name + nameLength - extensionLength;
    for (uint32_t i = 0; i < extensionLength; ++i) {
        if (lowerAscii(tail[i]) != lowerAscii(extension[i]))
            return false;
    }
    return true;
}
