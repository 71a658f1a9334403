#include "foundation/crc32.h"

namespace {

// The 256-entry table of the reflected polynomial, made by the compiler and held as constant data.
struct Crc32Table {
    uint32_t entries[256];
};

constexpr Crc32Table makeCrc32Table() {
    Crc32Table table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table.entries[i] = value;
    }
    return table;
}

constexpr Crc32Table crc32Table = makeCrc32Table();

}  // namespace

uint32_t computeCrc32(const void* block, uint32_t length, uint32_t previous) {
    const uint8_t* bytes = static_cast<const uint8_t*>(block);
    uint32_t crc = ~previous;
    for (uint32_t i = 0; i < length; ++i) {
        crc = crc32Table.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}
