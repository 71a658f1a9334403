// The CRC-32 folded with carry-less multiplication, on x86-64 processors that have it. Only the
// functions here are compiled for those instructions (target attributes): the rest of the build
// runs on any x86-64 processor, and these run only once the processor has said it has them.
//
// A block of 16 bytes, loaded little-endian, is a polynomial whose bit k is the coefficient of
// x^(127-k): the CRC takes each byte's least significant bit first. A block carried d bits
// further on becomes its polynomial times x^d, mod P; added to the block found there, the two
// give the same CRC as the message did. Lanes of blocks fold side by side, and at the end the
// lanes, written out as 64 bytes, are a short message with the same CRC, which the tables finish.
#include "foundation/crc32_folding.h"

#ifdef QUENBY_CRC32_FOLDING

#include <immintrin.h>

namespace {

// x^n mod P, as a reflected 32-bit register (x^0 is bit 31).
constexpr uint32_t xToThe(uint32_t n) {
    uint32_t value = 0x80000000u;
    for (; n > 0; --n)
        value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
    return value;
}

// The multipliers that carry a block distance bits on. Its low half (the first 8 bytes) stands
// for its polynomial times x^64, its high half for times 1, and a carry-less product of two 64-bit
// reflected values (x^0 at bit 63) is their product times x: so the low half is multiplied by
// x^(distance + 63) and the high half by x^(distance - 1), each mod P and reflected in 64 bits.
struct Multipliers {
    uint64_t low, high;
};

constexpr Multipliers carryBy(uint32_t distance) {
    return {uint64_t(xToThe(distance + 63)) << 32, uint64_t(xToThe(distance - 1)) << 32};
}

constexpr Multipliers by512 = carryBy(512), by2048 = carryBy(2048);

inline __m128i multipliers(Multipliers m) {
    return _mm_set_epi64x(static_cast<long long>(m.high), static_cast<long long>(m.low));
}

// The multipliers in each 16-byte lane of a 512-bit register.
__attribute__((target("avx512f"))) inline __m512i wideMultipliers(Multipliers m) {
    const long long low = static_cast<long long>(m.low), high = static_cast<long long>(m.high);
    return _mm512_set4_epi64(high, low, high, low);
}

// block carried on by the multipliers, added to next.
__attribute__((target("pclmul"))) inline __m128i fold(__m128i block, __m128i by, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(block, by, 0x00);
    const __m128i high = _mm_clmulepi64_si128(block, by, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

__attribute__((target("avx512f,vpclmulqdq"))) inline __m512i fold(__m512i block, __m512i by,
                                                                  __m512i next) {
    const __m512i low = _mm512_clmulepi64_epi128(block, by, 0x00);
    const __m512i high = _mm512_clmulepi64_epi128(block, by, 0x11);
    return _mm512_ternarylogic_epi64(low, high, next, 0x96);  // low ^ high ^ next
}

}  // namespace

bool processorHasFolding() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul");
}

bool processorHasWideFolding() {
    // The compiler's check of AVX-512 includes the system's saving of the 512-bit registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq");
}

// Four lanes of 16 bytes, 64 bytes a step.
__attribute__((target("pclmul"))) uint32_t crc32RegisterByFolding(uint32_t reg,
                                                                  const uint8_t* bytes,
                                                                  uint32_t length) {
    if (length < 128)
        return crc32RegisterByTables(reg, bytes, length);
    const __m128i* blocks = reinterpret_cast<const __m128i*>(bytes);
    __m128i lanes[4];
    for (int i = 0; i < 4; ++i)
        lanes[i] = _mm_loadu_si128(blocks + i);
    lanes[0] = _mm_xor_si128(lanes[0], _mm_cvtsi32_si128(static_cast<int>(reg)));
    const __m128i by = multipliers(by512);
    for (blocks += 4, length -= 64; length >= 64; blocks += 4, length -= 64) {
        for (int i = 0; i < 4; ++i)
            lanes[i] = fold(lanes[i], by, _mm_loadu_si128(blocks + i));
    }
    alignas(16) uint8_t folded[64];
    for (int i = 0; i < 4; ++i)
        _mm_store_si128(reinterpret_cast<__m128i*>(folded) + i, lanes[i]);
    reg = crc32RegisterByTables(0, folded, 64);
    return crc32RegisterByTables(reg, reinterpret_cast<const uint8_t*>(blocks), length);
}

// Four lanes of 64 bytes (each four lanes of 16), 256 bytes a step; then one lane of 64 bytes.
__attribute__((target("avx512f,vpclmulqdq"))) uint32_t crc32RegisterByWideFolding(
    uint32_t reg, const uint8_t* bytes, uint32_t length) {
    if (length < 512)
        return crc32RegisterByFolding(reg, bytes, length);
    __m512i lanes[4];
    for (int i = 0; i < 4; ++i)
        lanes[i] = _mm512_loadu_si512(bytes + 64 * i);
    lanes[0] = _mm512_xor_si512(lanes[0], _mm512_maskz_set1_epi32(1, static_cast<int>(reg)));
    const __m512i byFour = wideMultipliers(by2048);
    for (bytes += 256, length -= 256; length >= 256; bytes += 256, length -= 256) {
        for (int i = 0; i < 4; ++i)
            lanes[i] = fold(lanes[i], byFour, _mm512_loadu_si512(bytes + 64 * i));
    }
    const __m512i byOne = wideMultipliers(by512);
    __m512i lane = fold(fold(fold(lanes[0], byOne, lanes[1]), byOne, lanes[2]), byOne, lanes[3]);
    for (; length >= 64; bytes += 64, length -= 64)
        lane = fold(lane, byOne, _mm512_loadu_si512(bytes));
    alignas(64) uint8_t folded[64];
    _mm512_store_si512(folded, lane);
    reg = crc32RegisterByTables(0, folded, 64);
    return crc32RegisterByTables(reg, bytes, length);
}

#endif
