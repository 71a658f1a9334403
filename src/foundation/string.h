// String: the framework's one text type. It owns one heap buffer of exactly length + 1 bytes,
// is deep-copied, and has a null state (no buffer) distinct from the zero-length state.
// Allocation failures leave the String null; nothing is recorded or thrown.
#pragma once

#include <cstdint>

#include "foundation/object.h"

class String : public Object {
public:
    String() : characters(nullptr), size(0) {}
    String(const char* text);  // a null pointer gives a null String
    String(const String& other);
    String(String&& other) noexcept;
    ~String() override;

    // The text, or null for a null String.
    const char* chars() const { return characters; }
    uint32_t length() const { return size != 0 ? size - 1 : 0; }
    bool isEmpty() const { return size <= 1; }

    String& assign(const char* text);
    String& assign(const String& other) { return assign(other.characters); }
    String& operator=(const char* text) { return assign(text); }
    String& operator=(String other);

    String& append(const char* text);
    String& append(const String& other) { return append(other.characters); }
    String& operator+=(const char* text) { return append(text); }
    String& operator+=(const String& other) { return append(other.characters); }

    // printf-style; a longer result is cut to its first maxFormattedLength characters.
    static constexpr uint32_t maxFormattedLength = 4095;
    String& format(const char* pattern, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void toUpper();
    void clear();
    // Reallocates to newSize bytes (terminator included); false leaves the String untouched.
    bool resize(uint32_t newSize);

    String left(uint32_t count) const;
    String mid(uint32_t start, uint32_t count = 0xFFFFFFFFu) const;

    bool equals(const char* text) const;
    bool operator==(const char* text) const {
        return equals(text);
    }
    bool operator!=(const char* text) const {
        return !equals(text);
    }

private:
    void store(const char* text, uint32_t count);

    char* characters;
    uint32_t size;
};

String operator+(const String& left, const char* right);
String operator+(const String& left, const String& right);

// The text's characters, or "" for the null String.
inline const char* orEmpty(const String& text) {
    return text.chars() != nullptr ? text.chars() : "";
}
