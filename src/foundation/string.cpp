#include "foundation/string.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/memory.h"

namespace {

const uint32_t formatBufferSize = String::maxFormattedLength + 1;

bool pointsInto(const char* text, const char* buffer, uint32_t size) {
    return buffer != nullptr && text >= buffer && text < buffer + size;
}

}  // namespace

String::String(const char* text) : characters(nullptr), size(0) {
    assign(text);
}

String::String(const String& other) : characters(nullptr), size(0) {
    assign(other.characters);
}

String::String(String&& other) noexcept : characters(other.characters), size(other.size) {
    other.characters = nullptr;
    other.size = 0;
}

String::~String() {
    clear();
}

// Stores count bytes of text as the new contents. The new buffer is filled before the old one is
// released, so text may point into this String's own buffer.
void String::store(const char* text, uint32_t count) {
    char* fresh = nullptr;
    if (text != nullptr) {
        fresh = static_cast<char*>(memAlloc(count + 1));
        if (fresh != nullptr) {
            memCopy(fresh, text, count);
            fresh[count] = 0;
        }
    }
    clear();
    if (fresh != nullptr) {
        characters = fresh;
        size = count + 1;
    }
}

String& String::assign(const char* text) {
    store(text, text != nullptr ? strLength(text) : 0);
    return *this;
}

String& String::operator=(String other) {
    char* swapChars = characters;
    uint32_t swapSize = size;
    characters = other.characters;
    size = other.size;
    other.characters = swapChars;
    other.size = swapSize;
    return *this;
}

String& String::append(const char* text) {
    if (size < 2)
        return assign(text);
    if (text == nullptr)
        return *this;
    const uint32_t extra = strLength(text);
    if (extra == 0)
        return *this;
    const uint32_t oldLength = size - 1;
    // Text inside our own buffer survives the reallocation at the same offset.
    const bool own = pointsInto(text, characters, size);
    const uint32_t offset = own ? static_cast<uint32_t>(text - characters) : 0;
    if (!resize(size + extra)) {
        clear();
        return *this;
    }
    memCopy(characters + oldLength, own ? characters + offset : text, extra);
    return *this;
}

String& String::format(const char* pattern, ...) {
    char* scratch = static_cast<char*>(memAlloc(formatBufferSize));
    if (scratch == nullptr)
        return *this;
    scratch[0] = 0;
    va_list arguments;
    va_start(arguments, pattern);
    vsnprintf(scratch, formatBufferSize, pattern, arguments);
    va_end(arguments);
    // Some C libraries leave an overflowing buffer unterminated.
    scratch[formatBufferSize - 1] = 0;
    assign(scratch);
    memFree(scratch, formatBufferSize);
    return *this;
}

void String::toUpper() {
    for (uint32_t i = 0; i < size; ++i) {
        const signed char c = static_cast<signed char>(characters[i]);
        if (c >= 'a' && c <= 'z')
            characters[i] = static_cast<char>(c - 0x20);
    }
}

void String::clear() {
    if (characters != nullptr)
        memFree(characters, size);
    characters = nullptr;
    size = 0;
}

bool String::resize(uint32_t newSize) {
    if (newSize != size) {
        if (newSize == 0) {
            clear();
        } else {
            char* moved = static_cast<char*>(memRealloc(characters, size, newSize));
            if (moved == nullptr)
                return false;
            characters = moved;
            size = newSize;
        }
    }
    if (characters != nullptr)
        characters[size - 1] = 0;
    return true;
}

String String::left(uint32_t count) const {
    return mid(0, count);
}

String String::mid(uint32_t start, uint32_t count) const {
    String piece;
    if (characters == nullptr)
        return piece;
    const uint32_t total = length();
    const uint32_t s = start < total ? start : total;
    const uint32_t n = count < total - s ? count : total - s;
    piece.store(characters + s, n);
    return piece;
}

bool String::equals(const char* text) const {
    if (characters == nullptr)
        return text == nullptr;
    if (text == nullptr)
        return false;
    return strCompare(characters, text) == 0;
}

// A copy of left that failed stays null: appending to it would give right alone.
String operator+(const String& left, const char* right) {
    String result(left);
    if (result.chars() != nullptr || left.chars() == nullptr)
        result.append(right);
    return result;
}

String operator+(const String& left, const String& right) {
    return left + right.chars();
}
