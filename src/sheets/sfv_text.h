// The text of an SFV: the CRC-32 of each file of a post, one "name CRC32" a line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SfvRow {
    std::string name;
    uint32_t crc = 0;
    int line = 0;  // in the SFV read, from 1
};

// The SFV of the rows: a comment header naming Quenby, then "name CRC32HEX" a line, CR LF ends.
std::string sfvText(const std::vector<SfvRow>& rows);
