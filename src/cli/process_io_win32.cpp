// The process's streams and executable on Windows: the C runtime's binary mode and _pgmptr.
#include <fcntl.h>
#include <io.h>
#include <stdlib.h>
#include <windows.h>

#include "cli/process_io.h"

void useBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string executableFolder() {
    // The C runtime's full path of the program, set before main runs.
    const char* program = _pgmptr;
    if (program == nullptr)
        return std::string();
    std::string path(program);
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    char last = folder.back();
    return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

std::string baseName(const std::string& path) {
    size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool isFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> installFolders(const std::string& executableFolder) {
    return {executableFolder, pathInFolder(executableFolder, "../share/quenby"),
            pathInFolder(executableFolder, "..")};
}
