// Memory and byte primitives. Every block is given back with the size it was taken with.
#pragma once

#include <cstdint>

// A new block of size bytes, or null when the heap is exhausted. A size of 0 still yields a
// distinct, non-null block.
void* memAlloc(uint32_t size);
// Releases a block taken with memAlloc or memRealloc; a null block is ignored.
void memFree(void* block, uint32_t size);
// The resized block (contents kept up to the smaller size, possibly moved), or null; on null the
// old block is untouched and still owned by the caller.
void* memRealloc(void* block, uint32_t oldSize, uint32_t newSize);

// For tests: the n-th allocation or reallocation from now fails, once; 0 turns this off.
void failNthAllocation(uint32_t n);

// Copy and fill four bytes at a time with a byte tail; both return destination + count.
void* memCopy(void* destination, const void* source, uint32_t count);
void* memFill(void* destination, uint8_t value, uint32_t count);

uint32_t strLength(const char* text);
// -1, 0 or 1, comparing bytes as unsigned values.
int strCompare(const char* a, const char* b);
// Copies text and its terminator; returns destination.
char* strCopy(char* destination, const char* text);
