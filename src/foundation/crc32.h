// The standard CRC-32 (reflected polynomial 0xEDB88320), continued from previous: pass 0 to
// start, and a block's result as previous for the next block to checksum the blocks joined.
#pragma once

#include <cstdint>

uint32_t computeCrc32(const void* block, uint32_t length, uint32_t previous);
