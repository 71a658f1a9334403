// What the tool needs from the operating system beyond the framework's files: its arguments in
// UTF-8, standard streams that pass bytes unchanged, and the folder of the running executable.
// Implemented in process_io_posix.cpp and process_io_win32.cpp.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The program's arguments, argv[0] first. On Windows they are the wide command line's, in UTF-8,
// and every file name the tool takes, opens or prints from then on is UTF-8 (the framework's file
// calls included); elsewhere they are argv as it is.
std::vector<std::string> programArguments(int argc, char** argv);

// Puts standard input, output and error into binary mode, so that CR LF passes unchanged.
void useBinaryStandardStreams();

// The folder holding the running executable, without a trailing separator; empty if unknown.
std::string executableFolder();

// Where an installed tool's archive and loose templates may be, given its executable's folder,
// the first to look at first: beside it, ../share/quenby, and on Windows the folder above (the
// zip's program folder, above cli\).
std::vector<std::string> installFolders(const std::string& executableFolder);

// The path of name inside folder.
std::string pathInFolder(const std::string& folder, const std::string& name);

// The last component of a path ("dir/Mine.ntf" gives "Mine.ntf").
std::string baseName(const std::string& path);

// Opens the file for reading bytes (through the wide name on Windows); null on failure.
std::FILE* openStream(const std::string& path);

// Reads the whole stream; false on a read error.
bool readStream(std::FILE* stream, std::string& contents);

// True when path names an existing folder.
bool isFolder(const std::string& path);

// True when the stream is a terminal (a console on Windows) rather than a file or a pipe.
bool isTerminal(std::FILE* stream);
