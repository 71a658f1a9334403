// Little-endian fields at any byte offset, read and written byte by byte.
#pragma once

#include <cstdint>

inline uint32_t readU16(const uint8_t* at) {
    return at[0] | (static_cast<uint32_t>(at[1]) << 8);
}

inline uint32_t readU32(const uint8_t* at) {
    return at[0] | (static_cast<uint32_t>(at[1]) << 8) | (static_cast<uint32_t>(at[2]) << 16) |
           (static_cast<uint32_t>(at[3]) << 24);
}

inline void writeU16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

inline void writeU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}
