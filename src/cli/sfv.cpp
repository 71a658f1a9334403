#include "cli/sfv.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/name_text.h"
#include "cli/process_io.h"
#include "cli/progress.h"
#include "foundation/crc32.h"
#include "sheets/sheet_text.h"

namespace fs = std::filesystem;

namespace {

const uint32_t blockSize = 1u << 20;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// The value of eight hexadecimal digits; false for anything else.
bool readHex(const std::string& digits, uint32_t& value) {
    if (digits.size() != 8)
        return false;
    value = 0;
    for (char c : digits) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0)
            return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return true;
}

// True when Windows takes the folder or file name for a device: CON, PRN, AUX, NUL, COM0 to COM9,
// LPT0 to LPT9, CONIN$ or CONOUT$, in any letter case, with any extension ("nul.txt") and with
// spaces before it.
bool isDeviceName(const std::string& component) {
    std::string stem = lowerCaseAscii(component.substr(0, component.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul" || stem == "conin$" ||
        stem == "conout$")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
           stem[3] >= '0' && stem[3] <= '9';
}

// The path as std::filesystem takes it; false for a name that is not UTF-8 on Windows (where no
// file can have it, and u8path would throw).
bool filesystemPath(const std::string& name, fs::path& path) {
#ifdef _WIN32
    if (!isUtf8(name))
        return false;
    path = fs::u8path(name);
#else
    path = name;
#endif
    return true;
}

}  // namespace

FileRead readInBlocks(const std::string& path,
                      const std::function<void(const uint8_t*, uint32_t)>& take,
                      uint32_t openFlags) {
    FileHandle file = openFileForReading(path.c_str(), openFlags);
    if (file == noFile) {
        // Only the message depends on this look, made after the open refused the file.
        std::error_code error;
        fs::path name;
        const fs::file_status status =
            filesystemPath(path, name) ? fs::status(name, error) : fs::file_status();
        return (openFlags & OpenRegularOnly) && !error && fs::exists(status) &&
                       !fs::is_regular_file(status)
                   ? FileRead::NotRegular
                   : FileRead::OpenFailed;
    }
    std::vector<uint8_t> block(blockSize);
    uint32_t got = 0;
    bool read;
    while ((read = readFile(file, block.data(), blockSize, &got)) && got > 0)
        take(block.data(), got);
    closeFile(file);
    return read ? FileRead::Done : FileRead::ReadFailed;
}

FileRead fileCrc32(const std::string& path, uint32_t& crc, Progress* progress) {
    crc = 0;
    return readInBlocks(
        path,
        [&](const uint8_t* bytes, uint32_t size) {
            crc = computeCrc32(bytes, size, crc);
            if (progress != nullptr)
                progress->add(size);
        },
        OpenRegularOnly);
}

void printReadFailure(FileRead failure, const std::string& path) {
    std::fprintf(stderr, "%s: %s\n",
                 failure == FileRead::OpenFailed   ? "Failed to open file"
                 : failure == FileRead::NotRegular ? "Not a regular file"
                                                   : "Failed to read from file",
                 shownName(path).c_str());
}

std::vector<SfvRow> parseSfv(const std::string& text, const std::string& sfvName,
                             std::vector<std::string>& problems) {
    std::vector<SfvRow> rows;
    size_t start = 0;
    for (int line = 1; start < text.size(); ++line) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string content = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (content.empty() || content[0] == ';')
            continue;
        const size_t space = content.find_last_of(" \t");
        SfvRow row;
        row.line = line;
        if (space != std::string::npos)
            row.name = trimmed(content.substr(0, space));
        if (row.name.empty() || !readHex(content.substr(space + 1), row.crc)) {
            problems.push_back(sfvName + ":" + std::to_string(line) +
                               ": expected a file name and its CRC-32 in eight hex digits");
            continue;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string sfvNameProblem(const std::string& name) {
    if (name.empty())
        return "no file name";
    if (hasControlCharacter(name))
        return "a control character";
    if (isSeparator(name[0]))
        return "an absolute path";
    if (name.size() >= 2 && name[1] == ':' &&
        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
        return "a drive letter";
    bool file = false;  // whether the last folder-or-file name is one
    for (size_t start = 0; start <= name.size();) {
        size_t end = start;
        while (end < name.size() && !isSeparator(name[end]))
            ++end;
        const std::string component = name.substr(start, end - start);
        if (component == "..")
            return "a path out of the SFV's folder";
        if (isDeviceName(component))
            return "a device name";
        file = !component.empty() && component != ".";
        start = end + 1;
    }
    return file ? "" : "no file name";
}

std::string sfvFolder(const std::string& sfvPath) {
    return sfvPath.substr(0, sfvPath.size() - baseName(sfvPath).size());
}

std::string sfvRowPath(const std::string& folder, const std::string& name) {
#ifndef _WIN32
    // An SFV made on Windows names the files below its folder with backslashes.
    std::error_code error;
    if (name.find('\\') != std::string::npos &&
        !fs::exists(fs::symlink_status(pathInFolder(folder, name), error))) {
        std::string local = name;
        for (char& c : local) {
            if (c == '\\')
                c = '/';
        }
        return pathInFolder(folder, local);
    }
#endif
    return pathInFolder(folder, name);
}

bool sfvNameOf(const std::string& folder, const std::string& path, std::string& name) {
    std::error_code error;
    fs::path base, file;
    if (filesystemPath(folder.empty() ? "." : folder, base) && filesystemPath(path, file)) {
        base = fs::absolute(base, error);
        file = fs::absolute(file, error);
    }
    if (error || file.empty()) {
        std::fprintf(stderr, "Failed to open file: %s\n", shownName(path).c_str());
        return false;
    }
    base = base.lexically_normal();
    if (base.has_relative_path() && base.filename().empty())
        base = base.parent_path();  // "/rel/" as "/rel", whose files are "/rel/x"
    const fs::path relative = file.lexically_normal().lexically_relative(base);
    name = relative.generic_u8string();
    if (relative.empty() || *relative.begin() == "..") {
        std::fprintf(stderr, "Outside the SFV's folder: %s\n", shownName(path).c_str());
        return false;
    }
    const std::string problem = sfvNameProblem(name);
    if (!problem.empty()) {
        std::fprintf(stderr, "Not a name for an SFV (%s): %s\n", problem.c_str(),
                     shownName(path).c_str());
        return false;
    }
    return true;
}

bool sfvRowsOf(const std::string& folder, const std::vector<std::string>& paths,
               std::vector<SfvRow>& rows, Progress* progress) {
    rows.clear();
    for (const std::string& path : paths) {
        rows.push_back(SfvRow());
        if (!sfvNameOf(folder, path, rows.back().name))
            return false;
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        const FileRead read = fileCrc32(paths[i], rows[i].crc, progress);
        if (read != FileRead::Done) {
            if (progress != nullptr)
                progress->clear();
            printReadFailure(read, paths[i]);
            return false;
        }
    }
    return true;
}

uint64_t regularFileSize(const std::string& path) {
    std::error_code error;
    fs::path file;
    if (!filesystemPath(path, file) || !fs::is_regular_file(fs::status(file, error)) || error)
        return 0;
    const uintmax_t size = fs::file_size(file, error);
    return error ? 0 : size;
}
