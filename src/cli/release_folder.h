// A release folder read: the archive volumes of the release and the support files beside them
// (sheets/release_files.h tells them by name).
#pragma once

#include <string>

#include "sheets/release_files.h"

// Reads the folder: its largest volume set (by bytes) and its support files. False after printing
// why (a folder that cannot be read, or one that holds no volume).
bool readReleaseFolder(const std::string& folder, ReleaseFolder& release);

// The starter sheet with what the release folder tells: the packed size and its unit, the number
// of files, the support files, the title and the software name, each with a comment on where it
// came from. The other keys are the starter sheet's. False after printing why for volumes whose
// name is not UTF-8 or cannot be a title (a control character, a character CP437 lacks).
bool folderSheet(const ReleaseFolder& release, const std::string& folder, std::string& sheet);
