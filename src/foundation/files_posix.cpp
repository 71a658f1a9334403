#include <unistd.h>

#include "foundation/files.h"

String fullPathName(const char* name) { return String(name); }
bool isExistingFile(const char*) { return false; }
void closeFile(FileHandle file) { ::close(static_cast<int>(file)); }
