// SFV files: the CRC-32 of each file of a post, one "name CRC32" a line, and the reading of
// files in blocks that the checksums need. An SFV comes from strangers: a row may only name a
// regular file in the SFV's own folder or below it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/files.h"
#include "sheets/sfv_text.h"

class Progress;

// NotRegular: a pipe, a device or a folder where only a regular file may be read.
enum class FileRead { Done, OpenFailed, ReadFailed, NotRegular };

// Calls take with each block of the file in turn (1 MiB at most): a file of any size is read
// without being held whole. openFlags as openFileForReading takes them.
FileRead readInBlocks(const std::string& path,
                      const std::function<void(const uint8_t*, uint32_t)>& take,
                      uint32_t openFlags = OpenShared);
// The CRC-32 of a regular file's bytes; anything else is refused at once, never waited on. Each
// block read is added to the progress, if any.
FileRead fileCrc32(const std::string& path, uint32_t& crc, Progress* progress = nullptr);
// "Failed to open file: PATH", "Failed to read from file: PATH" or "Not a regular file: PATH",
// printed.
void printReadFailure(FileRead failure, const std::string& path);

// The rows of an SFV's text; blank lines and ";" comments are skipped. Each malformed line adds
// "SFV:LINE: ..." to problems. The names are as written: sfvNameProblem says which may be opened.
std::vector<SfvRow> parseSfv(const std::string& text, const std::string& sfvName,
                             std::vector<std::string>& problems);

// Why an SFV row's name may not be opened, or empty when it names a file in the SFV's folder or
// below it: "an absolute path", "a drive letter", "a path out of the SFV's folder", "a device
// name" (CON, NUL, COM1 and the like, refused everywhere, as SFVs travel between systems), "a
// control character" or "no file name". Slashes and backslashes both separate folders.
std::string sfvNameProblem(const std::string& name);

// The folder an SFV at sfvPath lists its files from ("" for the current folder).
std::string sfvFolder(const std::string& sfvPath);

// The path of the file a row names (a name sfvNameProblem accepts) in the SFV's folder. Off
// Windows a backslash separates folders, unless a file is named with the backslash itself.
std::string sfvRowPath(const std::string& folder, const std::string& name);

// The name an SFV in folder gives the file at path: the path relative to the folder, with
// slashes. False after printing why for a file outside the folder or a name the SFV cannot hold.
bool sfvNameOf(const std::string& folder, const std::string& path, std::string& name);

// The rows of the files at paths, named from folder (sfvNameOf), each with its CRC-32, read in
// the order given; false after printing why.
bool sfvRowsOf(const std::string& folder, const std::vector<std::string>& paths,
               std::vector<SfvRow>& rows, Progress* progress);

// The size of a regular file at path, or 0 (for the progress's total only).
uint64_t regularFileSize(const std::string& path);
