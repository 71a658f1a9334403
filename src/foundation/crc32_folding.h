// Inside the CRC-32: its register (the complement of the checksum so far) carried over bytes, by
// tables everywhere and by carry-less multiplication where the build targets x86-64.
#pragma once

#include <cstdint>

uint32_t crc32RegisterByTables(uint32_t reg, const uint8_t* bytes, uint32_t length);

#if defined(__x86_64__) && defined(__GNUC__)
#define QUENBY_CRC32_FOLDING 1
// Whether the processor (and the system, for the 512-bit registers) has what each way needs.
bool processorHasFolding();
bool processorHasWideFolding();
uint32_t crc32RegisterByFolding(uint32_t reg, const uint8_t* bytes, uint32_t length);
uint32_t crc32RegisterByWideFolding(uint32_t reg, const uint8_t* bytes, uint32_t length);
#endif
