// Error codes, their standard messages, and the process-wide record of the most recent failure.
#pragma once

#include <cstdint>

#include "foundation/string.h"

enum ErrorCode : uint32_t {
    NoError = 0x0,
    CustomError = 0x1,
    OutOfMemory = 0x2,
    ProgramError = 0x3,
    FileSystemFailure = 0x100,
    FileNotFound = 0x101,
    FileAlreadyExists = 0x102,
    FileOpenFailed = 0x103,
    FileReadFailed = 0x104,
    FileWriteFailed = 0x105,
    FileSeekFailed = 0x106,
    UnexpectedEndOfFile = 0x107,
    FileDeleteFailed = 0x108,
    FileMoveFailed = 0x109,
    WindowsError = 0x200,
    RegisterClassFailed = 0x201,
    CreateWindowFailed = 0x202,
    CreateDialogFailed = 0x203,
    CommonControlFailure = 0x204,
    ClipboardFailure = 0x205,
    OpenGLError = 0x300,
    FileTooBigForCaching = 0x1000100,
    BlockFileFailure = 0x1000200,
    InvalidBlockFile = 0x1000201,
    InvalidBlockToken = 0x1000202,
    BlockNotFound = 0x1000203,
    ArchiveInvalid = 0x1000300,
    ArchiveCorrupt = 0x1000301,
    ArchiveTooRecent = 0x1000302,
    FileNotInArchive = 0x1000303,
};

// The standard message of a code: a null String for CustomError, "Unknown error" for any value
// not in the table.
String describeError(uint32_t code);

struct LastErrorRecord {
    LastErrorRecord() : message(describeError(NoError)), code(NoError) {}
    String message;
    uint32_t code;
};

// Never reset: it always describes the most recent failure, or still reads "No error".
extern LastErrorRecord LastError;

// Records a failure: the code, then the standard message followed by each detail given.
void setLastError(uint32_t code, const char* detail1 = nullptr, const char* detail2 = nullptr,
                  const char* detail3 = nullptr);
