#include <windows.h>

#include "foundation/files.h"

String fullPathName(const char* name) { return String(name); }
bool isExistingFile(const char*) { return false; }
void closeFile(FileHandle file) { CloseHandle(reinterpret_cast<HANDLE>(file)); }
