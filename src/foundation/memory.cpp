#include "foundation/memory.h"

#include <cstdlib>
#include <cstring>

namespace {

uint32_t allocationFailureCountdown = 0;

bool allocationShouldFail() {
    return allocationFailureCountdown != 0 && --allocationFailureCountdown == 0;
}

}  // namespace

void failNthAllocation(uint32_t n) {
    allocationFailureCountdown = n;
}

void* memAlloc(uint32_t size) {
    if (allocationShouldFail())
        return nullptr;
    return std::malloc(size != 0 ? size : 1);
}

void memFree(void* block, uint32_t /*size*/) {
    std::free(block);
}

void* memRealloc(void* block, uint32_t /*oldSize*/, uint32_t newSize) {
    if (allocationShouldFail())
        return nullptr;
    return std::realloc(block, newSize != 0 ? newSize : 1);
}

void* memCopy(void* destination, const void* source, uint32_t count) {
    auto* to = static_cast<uint8_t*>(destination);
    auto* from = static_cast<const uint8_t*>(source);
    for (uint32_t words = count / 4; words != 0; --words) {
        uint32_t word;
        std::memcpy(&word, from, 4);
        std::memcpy(to, &word, 4);
        to += 4;
        from += 4;
    }
    for (uint32_t rest = count % 4; rest != 0; --rest)
        *to++ = *from++;
    return to;
}

void* memFill(void* destination, uint8_t value, uint32_t count) {
    auto* to = static_cast<uint8_t*>(destination);
    const uint32_t word = value * 0x01010101u;
    for (uint32_t words = count / 4; words != 0; --words) {
        std::memcpy(to, &word, 4);
        to += 4;
    }
    for (uint32_t rest = count % 4; rest != 0; --rest)
        *to++ = value;
    return to;
}

uint32_t strLength(const char* text) {
    const char* end = text;
    while (*end != 0)
        ++end;
    return static_cast<uint32_t>(end - text);
}

int strCompare(const char* a, const char* b) {
    auto* x = reinterpret_cast<const unsigned char*>(a);
    auto* y = reinterpret_cast<const unsigned char*>(b);
    while (*x != 0 && *x == *y) {
        ++x;
        ++y;
    }
    if (*x == *y)
        return 0;
    return *x < *y ? -1 : 1;
}

char* strCopy(char* destination, const char* text) {
    memCopy(destination, text, strLength(text) + 1);
    return destination;
}
