// The NFO text being built during one generation. Lines are collected here and handed to
// nfoOutput once the generation has succeeded.
#pragma once

#include <cstdint>

// Starts an empty text.
void beginOutput();
// Appends length characters, then CR LF; OutOfMemory recorded on false.
bool appendOutputLine(const char* line, uint32_t length);
// Stores the finished text into nfoOutput; OutOfMemory recorded on false.
bool finishOutput();
// Throws away what was collected.
void discardOutput();
