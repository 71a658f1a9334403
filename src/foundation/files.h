// File, window-text and shell utilities: thin adapters over the platform's calls that speak
// String and bool. Implemented in files_win32.cpp and files_posix.cpp.
#pragma once

#include <cstdint>

#include "foundation/string.h"

#ifdef _WIN32
struct HWND__;
typedef HWND__* HWND;
#endif

// An open file: a Win32 HANDLE or a POSIX descriptor. noFile marks none.
typedef intptr_t FileHandle;
const FileHandle noFile = -1;

// Seek origins, the Win32 move methods.
enum SeekOrigin : uint32_t { SeekFromStart = 0, SeekFromCurrent = 1, SeekFromEnd = 2 };

#ifdef _WIN32
// The window's text; a window whose text is empty yields the zero-length String.
String getWindowText(HWND window);
#endif

// Path names are in the ANSI code page on Windows unless this is called first: then they are UTF-8
// (names given and names found). Elsewhere names are bytes, passed through as they are.
void useUtf8FileNames();

// True when the path names an existing entry that is not a directory.
bool isExistingFile(const char* path);
// The absolute path of name, resolved against the current directory (the file need not exist);
// the name itself when it cannot be resolved.
String fullPathName(const char* name);
// Moves the file position by a 64-bit distance from origin; stores the new position when asked.
// Nothing is recorded on failure: callers record FileSeekFailed themselves.
bool seekFile(FileHandle file, int64_t distance, uint32_t origin, uint64_t* newPosition);
// Opens a web or mailto link with the system's handler; true when the system accepted it.
bool openLink(const char* link, void* ownerWindow);

// How openFileForReading opens a file. OpenExclusive denies other openers while it is held (where
// the platform can); otherwise other readers are allowed. OpenRegularOnly refuses at once anything
// but a regular file (a pipe, a device), which a program looking for its own files must never
// wait on; without it a pipe the user names is read like a file.
enum FileOpenFlags : uint32_t { OpenShared = 0, OpenExclusive = 1, OpenRegularOnly = 2 };
// Opens an existing file for reading; folders are refused. noFile on failure; nothing is recorded.
FileHandle openFileForReading(const char* path, uint32_t flags);
// Reads up to count bytes; false on an error. A short read is not an error: *bytesRead says.
bool readFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead);
// Reads exactly count bytes; false on an error or a short read.
inline bool readExactly(FileHandle file, void* buffer, uint32_t count) {
    uint32_t got = 0;
    return readFile(file, buffer, count, &got) && got == count;
}
void closeFile(FileHandle file);

// A new file written beside a target, which then takes the target's place whole, so that a failed
// save never leaves the old file truncated. Through a symbolic link (POSIX) the file it leads to
// is replaced. On POSIX it has the permissions of the file it
// replaces (a new file gets 0666 less the umask). A step that fails records FileOpenFailed,
// FileWriteFailed or FileMoveFailed (standard message only), returns false and removes the new
// file, as does the StagedFile's end before its place().
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile() { discard(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the new, empty file beside target.
    bool open(const char* target);
    // Appends size bytes.
    bool write(const void* data, uint32_t size);
    // Puts the bytes on the disk and closes the file (place() does it when this was not called).
    bool finish();
    // Moves the file to the target's place. With keptAside, the file there is first kept under a
    // new name beside it, which is stored there (empty when there was none) for the caller to put
    // back or remove; a failed move leaves it where it was.
    bool place(String* keptAside = nullptr);
    // Removes the new file, if any.
    void discard();
    // The file the new one replaces: the target named to open(), or on POSIX, when that is a
    // symbolic link, the file the link leads to (the link itself stays).
    const char* targetPath() const { return target.chars(); }

private:
    String target;
    String temporary;
    FileHandle handle = noFile;
};

// Moves the file from to the place of to, replacing a file there; false on failure (nothing
// recorded).
bool moveFile(const char* from, const char* to);
// Removes the file at path, if it can.
void removeFile(const char* path);

// Replaces the file at path with exactly size bytes of data through a StagedFile.
bool writeFileAtomically(const char* path, const void* data, uint32_t size);

// Calls visit with the name of each regular file in the current directory whose name ends in
// extension (compared without regard to ASCII letter case), in the order the platform's search
// returns them. Folders are left out. visit returns false to stop the search early; then so
// does this function. True when the search ran to its end (also when nothing matched).
typedef bool (*FoundFileVisit)(const char* name, void* context);
bool findFiles(const char* extension, FoundFileVisit visit, void* context);
