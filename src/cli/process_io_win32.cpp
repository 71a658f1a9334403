// The process's arguments, streams and executable on Windows: the wide command line, the C
// runtime's binary mode and the module's wide file name, with names in UTF-8.
#include <fcntl.h>
#include <io.h>
#include <stdlib.h>
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include <cstdlib>

#include "cli/process_io.h"
#include "foundation/files.h"

namespace {

std::string utf8Of(const wchar_t* text, int length = -1) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, &result[0], size, nullptr, nullptr);
    if (length < 0 && !result.empty())
        result.pop_back();  // the terminator
    return result;
}

std::wstring wideOf(const std::string& utf8) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring result(size > 0 ? static_cast<size_t>(size) : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &result[0], size);
    if (!result.empty())
        result.pop_back();
    return result;
}

UINT consoleCodePage = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePage);
}

}  // namespace

std::vector<std::string> programArguments(int argc, char** argv) {
    useUtf8FileNames();
    // A console shows what the tool prints as UTF-8 while it runs, and as it was afterwards.
    if (isTerminal(stdout) || isTerminal(stderr)) {
        consoleCodePage = GetConsoleOutputCP();
        if (consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
            std::atexit(restoreConsoleCodePage);
    }
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return std::vector<std::string>(argv, argv + argc);
    for (int i = 0; i < count; ++i)
        arguments.push_back(utf8Of(wide[i]));
    LocalFree(wide);
    return arguments;
}

void useBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string executableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 0x8000)
            return std::string();
        path.resize(path.size() * 2);
    }
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::string() : utf8Of(path.c_str(), int(separator));
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
    DWORD attributes = GetFileAttributesW(wideOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::FILE* openStream(const std::string& path) {
    return _wfopen(wideOf(path).c_str(), L"rb");
}

bool isTerminal(std::FILE* stream) {
    // _isatty is true for every character device, NUL too: only a console takes a console mode.
    DWORD mode = 0;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != FALSE;
}

std::vector<std::string> installFolders(const std::string& executableFolder) {
    return {executableFolder, pathInFolder(executableFolder, "../share/quenby"),
            pathInFolder(executableFolder, "..")};
}
