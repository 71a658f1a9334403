// The process's arguments, streams and executable on POSIX systems.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "cli/process_io.h"

std::vector<std::string> programArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void useBinaryStandardStreams() {}

std::string executableFolder() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return std::string();
        if (static_cast<size_t>(length) < buffer.size()) {
            std::string path(buffer.data(), static_cast<size_t>(length));
            size_t slash = path.rfind('/');
            return slash == std::string::npos ? std::string()
                                              : path.substr(0, slash == 0 ? 1 : slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::FILE* openStream(const std::string& path) {
    return std::fopen(path.c_str(), "rb");
}

bool isTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) != 0;
}

std::vector<std::string> installFolders(const std::string& executableFolder) {
    return {executableFolder, pathInFolder(executableFolder, "../share/quenby")};
}
