// SFV files: the CRC-32 of each file of a post, one "name CRC32" a line, and the reading of
// files in blocks that the checksums need.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class FileRead { Done, OpenFailed, ReadFailed };

// Calls take with each block of the file in turn (1 MiB at most): a file of any size is read
// without being held whole.
FileRead readInBlocks(const std::string& path,
                      const std::function<void(const uint8_t*, uint32_t)>& take);
// The CRC-32 of the file's bytes.
FileRead fileCrc32(const std::string& path, uint32_t& crc);
// "Failed to open file: PATH" or "Failed to read from file: PATH", printed.
void printReadFailure(FileRead failure, const std::string& path);

struct SfvRow {
    std::string name;
    uint32_t crc = 0;
};

// The SFV of the rows: a comment header naming Quenby, then "name CRC32HEX" a line, CR LF ends.
std::string sfvText(const std::vector<SfvRow>& rows);

// The rows of an SFV's text; blank lines and ";" comments are skipped. Each malformed line adds
// "SFV:LINE: ..." to problems.
std::vector<SfvRow> parseSfv(const std::string& text, const std::string& sfvName,
                             std::vector<std::string>& problems);

// Prints the row's outcome: NAME OK, NAME BAD (FOUND, expected LISTED), or NAME MISSING when its
// file was not read. True for OK.
bool reportSfvRow(const SfvRow& row, bool read, uint32_t crc);
