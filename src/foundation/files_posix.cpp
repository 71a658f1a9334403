// The file and shell utilities on POSIX systems: stat, getcwd, lseek, rename and xdg-open.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "foundation/errors.h"
#include "foundation/file_names.h"
#include "foundation/files.h"
#include "foundation/files_platform.h"
#include "foundation/memory.h"

// Offsets and sizes are 64 bits wide on every build, 32-bit ones included, so a seek never wraps.
static_assert(sizeof(off_t) == 8,
              "files_posix.cpp needs 64-bit file offsets (_FILE_OFFSET_BITS=64)");

namespace {

int descriptor(FileHandle file) {
    return static_cast<int>(file);
}

bool isRegularFile(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

// Rewrites the absolute path in place: empty and "." components go, ".." removes the component
// before it (never climbing above the root), and the result has no trailing slash. Each component
// is written with the slash in front of it, so the output never overtakes the input.
void normalisePath(char* path) {
    char* out = path;
    const char* in = path;
    while (*in != '\0') {
        while (*in == '/')
            ++in;
        const char* component = in;
        while (*in != '\0' && *in != '/')
            ++in;
        uint32_t length = static_cast<uint32_t>(in - component);
        if (length == 0 || (length == 1 && component[0] == '.'))
            continue;
        if (length == 2 && component[0] == '.' && component[1] == '.') {
            while (out > path && *--out != '/') {
            }
            continue;
        }
        *out++ = '/';
        for (uint32_t i = 0; i < length; ++i)
            *out++ = component[i];
    }
    if (out == path)
        *out++ = '/';
    *out = '\0';
}

// The current directory in a new block of *size bytes, or null.
char* currentDirectory(uint32_t* size) {
    for (uint32_t capacity = 256; capacity != 0 && capacity <= 0x100000; capacity *= 2) {
        char* buffer = static_cast<char*>(memAlloc(capacity));
        if (buffer == nullptr)
            return nullptr;
        if (getcwd(buffer, capacity) != nullptr) {
            *size = capacity;
            return buffer;
        }
        memFree(buffer, capacity);
        if (errno != ERANGE)
            return nullptr;
    }
    return nullptr;
}

// Where path leads through symbolic links: the path itself when it is no link, else the last
// link's target, which need not exist (a relative target is taken from its link's folder). A
// link that cannot be read, or the 40th link of a chain, ends the way where it is.
String linkedPath(const char* path) {
    String at(path);
    char target[4096];
    for (uint32_t hop = 0; hop < 40 && at.chars() != nullptr; ++hop) {
        struct stat status;
        if (lstat(at.chars(), &status) != 0 || !S_ISLNK(status.st_mode))
            break;
        ssize_t length = readlink(at.chars(), target, sizeof target);
        if (length <= 0 || static_cast<size_t>(length) >= sizeof target)
            break;
        target[length] = '\0';
        uint32_t folder = target[0] == '/' ? 0 : at.length();
        while (folder > 0 && at.chars()[folder - 1] != '/')
            --folder;
        at = at.left(folder) + target;
    }
    return at;
}

bool writeAll(int fd, const uint8_t* data, uint32_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<uint32_t>(written);
    }
    return true;
}

}  // namespace

void useUtf8FileNames() {}

bool isExistingFile(const char* path) {
    struct stat info;
    if (path == nullptr || stat(path, &info) != 0)
        return false;
    return !S_ISDIR(info.st_mode);
}

String fullPathName(const char* name) {
    if (name == nullptr || name[0] == '\0')
        return String(name);
    uint32_t nameLength = strLength(name);
    uint32_t directorySize = 0;
    char* directory = nullptr;
    if (name[0] != '/') {
        directory = currentDirectory(&directorySize);
        if (directory == nullptr)
            return String(name);
    }
    uint32_t directoryLength = directory != nullptr ? strLength(directory) : 0;
    uint32_t size = directoryLength + 1 + nameLength + 1;
    char* joined = static_cast<char*>(memAlloc(size));
    if (joined == nullptr) {
        memFree(directory, directorySize);
        setLastError(OutOfMemory);
        return String(name);
    }
    char* end = static_cast<char*>(memCopy(joined, directory, directoryLength));
    *end++ = '/';
    strCopy(end, name);
    memFree(directory, directorySize);
    normalisePath(joined);
    String result(joined);
    memFree(joined, size);
    return result;
}

bool seekFile(FileHandle file, int64_t distance, uint32_t origin, uint64_t* newPosition) {
    int whence = origin == SeekFromStart     ? SEEK_SET
                 : origin == SeekFromCurrent ? SEEK_CUR
                 : origin == SeekFromEnd     ? SEEK_END
                                             : -1;
    if (whence < 0)
        return false;
    off_t position = lseek(descriptor(file), static_cast<off_t>(distance), whence);
    if (position == static_cast<off_t>(-1))
        return false;
    if (newPosition != nullptr)
        *newPosition = static_cast<uint64_t>(position);
    return true;
}

// The desktop's handler is started as a grandchild, so that nothing is left to reap; a pipe closed
// on exec tells whether xdg-open could be started at all.
bool openLink(const char* link, void* /*ownerWindow*/) {
    if (link == nullptr)
        return false;
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0)
        return false;
    pid_t child = fork();
    if (child < 0) {
        ::close(status[0]);
        ::close(status[1]);
        return false;
    }
    if (child == 0) {
        ::close(status[0]);
        setsid();
        pid_t grandchild = fork();
        if (grandchild == 0) {
            char* const arguments[] = {const_cast<char*>("xdg-open"), const_cast<char*>(link),
                                       nullptr};
            execvp("xdg-open", arguments);
            int error = errno;
            ssize_t ignored = ::write(status[1], &error, sizeof error);
            (void)ignored;
            _exit(127);
        }
        if (grandchild < 0) {
            int error = errno;
            ssize_t ignored = ::write(status[1], &error, sizeof error);
            (void)ignored;
        }
        _exit(0);
    }
    ::close(status[1]);
    int childStatus = 0;
    while (waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    do {
        got = ::read(status[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(status[0]);
    return got == 0;
}

// Sharing cannot be denied on POSIX: OpenExclusive has no effect. Folders are refused, as
// CreateFile refuses them on Windows. A file that must be regular is opened without blocking, so a
// pipe with no writer is refused at once instead of holding the open until one comes.
FileHandle openFileForReading(const char* path, uint32_t flags) {
    if (path == nullptr)
        return noFile;
    const bool regularOnly = (flags & OpenRegularOnly) != 0;
    int fd;
    do {
        fd = ::open(path, O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return noFile;
    struct stat info;
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || (regularOnly && !S_ISREG(info.st_mode)) ||
        (regularOnly && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)) {
        ::close(fd);
        return noFile;
    }
    return fd;
}

// Reads until count bytes have come or the file ends, as ReadFile does on a disk file.
bool readFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    uint8_t* into = static_cast<uint8_t*>(buffer);
    uint32_t total = 0;
    while (total < count) {
        ssize_t got = ::read(descriptor(file), into + total, count - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            if (bytesRead != nullptr)
                *bytesRead = total;
            return false;
        }
        if (got == 0)
            break;
        total += static_cast<uint32_t>(got);
    }
    if (bytesRead != nullptr)
        *bytesRead = total;
    return true;
}

void closeFile(FileHandle file) {
    if (file != noFile)
        ::close(descriptor(file));
}

// Through a symbolic link, the file the link leads to is replaced and the link stays.
bool StagedFile::open(const char* path) {
    discard();
    target = path != nullptr ? linkedPath(path) : String();
    path = target.chars();
    // The new file takes the place of the old one, so it keeps the old one's permissions.
    struct stat old;
    bool replacing = path != nullptr && stat(path, &old) == 0 && S_ISREG(old.st_mode);
    int fd = -1;
    for (uint32_t attempt = 0; attempt < 100 && fd < 0 && path != nullptr && path[0] != '\0';
         ++attempt) {
        temporary.format("%s.%u-%u.tmp", path, static_cast<unsigned>(getpid()), attempt);
        if (temporary.chars() == nullptr)
            break;
        fd = ::open(temporary.chars(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            break;
    }
    if (fd < 0) {
        temporary.clear();
        target.clear();
        setLastError(FileOpenFailed);
        return false;
    }
    handle = fd;
    if (replacing)
        fchmod(fd, old.st_mode & 07777);
    return true;
}

bool StagedFile::write(const void* data, uint32_t size) {
    if (handle == noFile ||
        !writeAll(descriptor(handle), static_cast<const uint8_t*>(data), size)) {
        discard();
        setLastError(FileWriteFailed);
        return false;
    }
    return true;
}

bool StagedFile::finish() {
    if (handle == noFile)
        return temporary.chars() != nullptr;
    bool written = fsync(descriptor(handle)) == 0;
    if (::close(descriptor(handle)) != 0)
        written = false;
    handle = noFile;
    if (!written) {
        discard();
        setLastError(FileWriteFailed);
        return false;
    }
    return true;
}

Entry entryAt(const char* path) {
    struct stat status;
    if (lstat(path, &status) != 0)
        return Entry::None;
    return S_ISDIR(status.st_mode) ? Entry::Folder : Entry::File;
}

Linked linkFile(const char* from, const char* to) {
    if (link(from, to) == 0)
        return Linked::Done;
    return errno == EEXIST ? Linked::NameTaken : Linked::Failed;
}

bool moveFile(const char* from, const char* to) {
    return rename(from, to) == 0;
}

void removeFile(const char* path) {
    unlink(path);
}

unsigned long processNumber() {
    return static_cast<unsigned long>(getpid());
}

void StagedFile::discard() {
    if (handle != noFile)
        ::close(descriptor(handle));
    handle = noFile;
    if (temporary.chars() != nullptr)
        unlink(temporary.chars());
    temporary.clear();
}

bool findFiles(const char* extension, FoundFileVisit visit, void* context) {
    DIR* folder = opendir(".");
    if (folder == nullptr)
        return true;  // a search that cannot start finds nothing
    bool completed = true;
    for (struct dirent* entry = readdir(folder); entry != nullptr; entry = readdir(folder)) {
        const char* name = entry->d_name;
        if (!hasExtension(name, extension) || !isRegularFile(name))
            continue;
        if (!visit(name, context)) {
            completed = false;
            break;
        }
    }
    closedir(folder);
    return completed;
}
