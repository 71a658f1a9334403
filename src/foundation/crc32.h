// The standard CRC-32 (reflected polynomial 0xEDB88320), continued from previous: pass 0 to
// start, and a block's result as previous for the next block to checksum the blocks joined.
#pragma once

#include <cstdint>

// The fastest way this processor has (see Crc32Way).
uint32_t computeCrc32(const void* block, uint32_t length, uint32_t previous);

// The ways of computing the same CRC: eight bytes a step from tables (every build), and on x86-64
// folding 64 bytes a step with carry-less multiplication (PCLMULQDQ) or 256 bytes a step with the
// 512-bit one (VPCLMULQDQ with AVX-512), chosen at run time by what the processor has.
enum Crc32Way { Crc32ByTables, Crc32ByFolding, Crc32ByWideFolding };

// True when this build and processor can compute the CRC that way; Crc32ByTables always can.
bool crc32WayAvailable(Crc32Way way);

// computeCrc32 by the way given, which must be available.
uint32_t computeCrc32By(Crc32Way way, const void* block, uint32_t length, uint32_t previous);
