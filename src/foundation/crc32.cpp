#include "foundation/crc32.h"

#include "foundation/byte_order.h"
#include "foundation/crc32_folding.h"

namespace {

// Eight 256-entry tables of the reflected polynomial, made by the compiler and held as constant
// data. entries[0] is the usual bytewise table; entries[k][b] is the register change of the byte b
// followed by k zero bytes, so that eight bytes fold into the register in one step.
struct Crc32Tables {
    uint32_t entries[8][256];
};

constexpr Crc32Tables makeCrc32Tables() {
    Crc32Tables tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        tables.entries[0][i] = value;
    }
    for (int k = 1; k < 8; ++k) {
        for (uint32_t i = 0; i < 256; ++i) {
            const uint32_t before = tables.entries[k - 1][i];
            tables.entries[k][i] = (before >> 8) ^ tables.entries[0][before & 0xFF];
        }
    }
    return tables;
}

constexpr Crc32Tables crc32Tables = makeCrc32Tables();

using RegisterWay = uint32_t (*)(uint32_t, const uint8_t*, uint32_t);

RegisterWay registerWay(Crc32Way way) {
#ifdef QUENBY_CRC32_FOLDING
    if (way == Crc32ByWideFolding && processorHasWideFolding())
        return crc32RegisterByWideFolding;
    if (way == Crc32ByFolding && processorHasFolding())
        return crc32RegisterByFolding;
#endif
    return way == Crc32ByTables ? crc32RegisterByTables : nullptr;
}

// The fastest way, chosen once.
RegisterWay fastestWay() {
    static const RegisterWay fastest = registerWay(Crc32ByWideFolding)
                                           ? registerWay(Crc32ByWideFolding)
                                       : registerWay(Crc32ByFolding) ? registerWay(Crc32ByFolding)
                                                                     : crc32RegisterByTables;
    return fastest;
}

}  // namespace

uint32_t crc32RegisterByTables(uint32_t crc, const uint8_t* bytes, uint32_t length) {
    const auto& t = crc32Tables.entries;
    // Eight bytes a step, read byte by byte as little-endian words (any alignment, any platform).
    for (; length >= 8; length -= 8, bytes += 8) {
        const uint32_t low = crc ^ readU32(bytes);
        const uint32_t high = readU32(bytes + 4);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
              t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^
              t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; length > 0; --length, ++bytes)
        crc = t[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
    return crc;
}

uint32_t computeCrc32(const void* block, uint32_t length, uint32_t previous) {
    return ~fastestWay()(~previous, static_cast<const uint8_t*>(block), length);
}

bool crc32WayAvailable(Crc32Way way) {
    return registerWay(way) != nullptr;
}

uint32_t computeCrc32By(Crc32Way way, const void* block, uint32_t length, uint32_t previous) {
    return ~registerWay(way)(~previous, static_cast<const uint8_t*>(block), length);
}
