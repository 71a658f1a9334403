// Portable rules for file names, shared by both platforms' file utilities.
#pragma once

// True when name ends in extension, ignoring ASCII letter case.
bool hasExtension(const char* name, const char* extension);
