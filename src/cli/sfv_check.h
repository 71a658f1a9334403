// The check of SFVs: each file a row names read again and its CRC-32 compared, and the SFVs of a
// folder found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/sfv.h"

class Progress;

// An SFV read from its file.
struct SfvFile {
    std::string path;
    std::string folder;  // its rows' folder
    std::vector<SfvRow> rows;
};

// Reads and parses the SFV at path; false after printing why (it cannot be read, has malformed
// lines, or lists no files).
bool readSfvFile(const std::string& path, SfvFile& sfv);

// The SFVs in folder (every regular file named *.sfv, in any letter case), sorted by name; false
// after printing why (the folder cannot be read, or holds none).
bool sfvFilesIn(const std::string& folder, std::vector<std::string>& paths);

// The bytes of the files an SFV's rows may open, for a progress's total.
uint64_t sfvFilesSize(const SfvFile& sfv);

enum class RowResult { Ok, Bad, Missing, Refused };

struct RowCheck {
    RowResult result = RowResult::Ok;
    uint32_t crc = 0;  // the file's, for Ok and Bad
    std::string why;   // for Refused
};

// Checks one row: a name sfvNameProblem refuses, or a file that is not regular (a pipe, a device,
// a folder), is Refused at once without being read or waited on.
RowCheck checkSfvRow(const SfvFile& sfv, const SfvRow& row, Progress* progress);

// The row's line of the check: "NAME OK", "NAME BAD (CRC, expected CRC)", "NAME MISSING" (it
// cannot be opened or read) or "NAME REFUSED (why)", the name as shownName shows it.
std::string rowCheckLine(const SfvRow& row, const RowCheck& check);
