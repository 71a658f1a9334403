#include "foundation/errors.h"

namespace {

struct StandardMessage {
    uint32_t code;
    const char* text;
};

const StandardMessage standardMessages[] = {
    {NoError, "No error"},
    {OutOfMemory, "Out of memory"},
    {ProgramError, "Programatical error"},
    {FileSystemFailure, "File system failure"},
    {FileNotFound, "File not found"},
    {FileAlreadyExists, "File already exists"},
    {FileOpenFailed, "Failed to open file"},
    {FileReadFailed, "Failed to read from file"},
    {FileWriteFailed, "Failed to write to file"},
    {FileSeekFailed, "Failed to seek in file"},
    {UnexpectedEndOfFile, "Unexpected end of file"},
    {FileDeleteFailed, "Failed to delete file"},
    {FileMoveFailed, "Failed to move file"},
    {WindowsError, "Windows error"},
    {RegisterClassFailed, "Failed to register window class"},
    {CreateWindowFailed, "Failed to create window"},
    {CreateDialogFailed, "Failed to create dialog box"},
    {CommonControlFailure, "Windows Common Control failure"},
    {ClipboardFailure, "Windows Clipboard failure"},
    {OpenGLError, "OpenGL error"},
    {FileTooBigForCaching, "File is too big for caching"},
    {BlockFileFailure, "Ostrand block file failure"},
    {InvalidBlockFile, "Invalid Ostrand block file"},
    {InvalidBlockToken, "Invalid token in block file"},
    {BlockNotFound, "Block not found in block file"},
    {ArchiveInvalid, "Archive is invalid"},
    {ArchiveCorrupt, "Archive is corrupt"},
    {ArchiveTooRecent, "Archive version is too recent"},
    {FileNotInArchive, "File not found in archive"},
};

}  // namespace

String describeError(uint32_t code) {
    if (code == CustomError)
        return String();
    for (const StandardMessage& entry : standardMessages) {
        if (entry.code == code)
            return String(entry.text);
    }
    return String("Unknown error");
}

void setLastError(uint32_t code, const char* detail1, const char* detail2, const char* detail3) {
    LastError.code = code;
    LastError.message = describeError(code) + detail1 + detail2 + detail3;
}
