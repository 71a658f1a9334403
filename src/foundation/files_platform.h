// The platform's entry operations that StagedFile::place is built on, in files_posix.cpp and
// files_win32.cpp. Nothing is recorded on failure.
#pragma once

enum class Entry { None, File, Folder };
// What path names (a link itself, not what it points to, on POSIX).
Entry entryAt(const char* path);

enum class Linked { Done, NameTaken, Failed };
// Gives the file at from a second name, to; NameTaken when something has that name already.
Linked linkFile(const char* from, const char* to);
// What StagedFile::place keeps the old file aside with: linkFile. Where that fails (a file system
// without hard links) the old file itself moves aside; a test puts a stand-in here that fails so.
extern Linked (*keepAsideLink)(const char* from, const char* to);
// The running process's number, for names of its own.
unsigned long processNumber();
