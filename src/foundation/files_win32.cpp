// The file, window-text and shell utilities on Win32.
#include <windows.h>
// windows.h first: the shell headers need its types.
#include <intshcut.h>
#include <objbase.h>
#include <shellapi.h>

#include "foundation/errors.h"
#include "foundation/file_names.h"
#include "foundation/files.h"
#include "foundation/files_platform.h"
#include "foundation/memory.h"

namespace {

// The system's Internet-shortcut object and its ANSI interface.
const CLSID internetShortcutClass = {
    0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const IID uniformResourceLocatorInterface = {
    0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};

HANDLE handleOf(FileHandle file) {
    return reinterpret_cast<HANDLE>(file);
}

// The code page of path names: the ANSI code page, or UTF-8 after useUtf8FileNames. Files are
// opened through the wide calls either way, so a UTF-8 name reaches the file system whole.
UINT nameCodePage = CP_ACP;

// A path name as the wide calls take it; get() is null when it cannot be converted (a name that
// is not UTF-8 where UTF-8 is used, or no memory), and every call given it then fails. A name of
// ordinary length is converted in place, so that opening a file takes no memory of the heap.
class WideName {
public:
    explicit WideName(const char* name) {
        const DWORD flags = nameCodePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        const int count =
            name == nullptr ? 0 : MultiByteToWideChar(nameCodePage, flags, name, -1, nullptr, 0);
        if (count <= 0 || count > 0x7FFF)
            return;
        if (static_cast<size_t>(count) <= sizeof local / sizeof local[0]) {
            text = local;
        } else {
            size = static_cast<uint32_t>(count) * sizeof(wchar_t);
            text = static_cast<wchar_t*>(memAlloc(size));
        }
        if (text != nullptr &&
            MultiByteToWideChar(nameCodePage, flags, name, -1, text, count) != count) {
            release();
            text = nullptr;
        }
    }
    ~WideName() { release(); }
    WideName(const WideName&) = delete;
    WideName& operator=(const WideName&) = delete;
    const wchar_t* get() const { return text; }

private:
    void release() {
        if (text != local)
            memFree(text, size);
    }
    wchar_t local[MAX_PATH + 1];
    wchar_t* text = nullptr;
    uint32_t size = 0;
};

// A wide name in the code page of path names; a null String when it cannot be had, with
// outOfMemory set when that is for want of memory rather than a name the code page lacks.
String narrowName(const wchar_t* name, bool* outOfMemory = nullptr) {
    const int size = WideCharToMultiByte(nameCodePage, 0, name, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return String();
    char* buffer = static_cast<char*>(memAlloc(static_cast<uint32_t>(size)));
    String result;
    if (buffer != nullptr &&
        WideCharToMultiByte(nameCodePage, 0, name, -1, buffer, size, nullptr, nullptr) == size) {
        result = String(buffer);
        if (result.chars() == nullptr && outOfMemory != nullptr)
            *outOfMemory = true;
    } else if (buffer == nullptr && outOfMemory != nullptr) {
        *outOfMemory = true;
    }
    memFree(buffer, static_cast<uint32_t>(size));
    return result;
}

// Tries the Internet-shortcut object; false when it cannot be had or refuses the link.
bool openWithShortcutObject(const char* link, HWND owner) {
    IUniformResourceLocatorA* locator = nullptr;
    HRESULT created =
        CoCreateInstance(internetShortcutClass, nullptr, CLSCTX_INPROC_SERVER,
                         uniformResourceLocatorInterface, reinterpret_cast<void**>(&locator));
    if (created != S_OK || locator == nullptr)
        return false;
    HRESULT result = locator->SetURL(link, IURL_SETURL_FL_GUESS_PROTOCOL);
    if (result == S_OK) {
        URLINVOKECOMMANDINFOA command;
        command.dwcbSize = sizeof command;
        command.dwFlags = IURL_INVOKECOMMAND_FL_ALLOW_UI;
        command.hwndParent = owner;
        command.pcszVerb = "open";
        result = locator->InvokeCommand(&command);
    }
    locator->Release();
    return result == S_OK;
}

}  // namespace

void useUtf8FileNames() {
    nameCodePage = CP_UTF8;
}

String getWindowText(HWND window) {
    uint32_t size = static_cast<uint32_t>(GetWindowTextLengthA(window)) + 1;
    char* buffer = static_cast<char*>(memAlloc(size));
    if (buffer == nullptr)
        return String();
    buffer[0] = '\0';
    GetWindowTextA(window, buffer, static_cast<int>(size));
    buffer[size - 1] = '\0';
    String text(buffer);
    memFree(buffer, size);
    return text;
}

bool isExistingFile(const char* path) {
    const WideName name(path);
    if (name.get() == nullptr)
        return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(name.get(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

String fullPathName(const char* name) {
    const WideName wide(name);
    DWORD size = wide.get() == nullptr ? 0 : GetFullPathNameW(wide.get(), 0, nullptr, nullptr);
    if (size == 0 || size > 0x7FFF)
        return String(name);
    wchar_t* buffer = static_cast<wchar_t*>(memAlloc(size * sizeof(wchar_t)));
    if (buffer == nullptr) {
        setLastError(OutOfMemory);
        return String(name);
    }
    DWORD length = GetFullPathNameW(wide.get(), size, buffer, nullptr);
    // The current directory could have changed between the two calls: then keep the name.
    String result = (length != 0 && length < size) ? narrowName(buffer) : String();
    memFree(buffer, size * sizeof(wchar_t));
    return result.chars() != nullptr ? result : String(name);
}

// SetFilePointer takes a 32-bit distance whose high word only carries the sign, so the move is
// made in steps of at most 0x7FFFFFFF forwards or 0x80000000 backwards: the first from origin,
// the rest from the current position. A distance of 0 still makes one step, which reports the
// position. A step whose new low word is 0xFFFFFFFF has failed only when GetLastError says so:
// such a position is also a valid one.
bool seekFile(FileHandle file, int64_t distance, uint32_t origin, uint64_t* newPosition) {
    int64_t remaining = distance;
    DWORD method = origin;
    do {
        int64_t step = remaining;
        if (step > 0x7FFFFFFF)
            step = 0x7FFFFFFF;
        if (step < -0x7FFFFFFF - 1)
            step = -0x7FFFFFFF - 1;
        LONG high = step < 0 ? -1 : 0;
        SetLastError(NO_ERROR);
        DWORD low = SetFilePointer(handleOf(file), static_cast<LONG>(step), &high, method);
        if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
            return false;
        if (newPosition != nullptr) {
            *newPosition = (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
        }
        remaining -= step;
        method = FILE_CURRENT;
    } while (remaining != 0);
    return true;
}

bool openLink(const char* link, void* ownerWindow) {
    HWND owner = static_cast<HWND>(ownerWindow);
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool opened = openWithShortcutObject(link, owner);
    if (!opened) {
        HINSTANCE result = ShellExecuteA(owner, "open", link, nullptr, nullptr, SW_SHOW);
        opened = reinterpret_cast<INT_PTR>(result) > 32;
    }
    SetCursor(previous);
    return opened;
}

FileHandle openFileForReading(const char* path, uint32_t flags) {
    const WideName name(path);
    HANDLE file =
        name.get() == nullptr
            ? INVALID_HANDLE_VALUE
            : CreateFileW(name.get(), GENERIC_READ, (flags & OpenExclusive) ? 0 : FILE_SHARE_READ,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return noFile;
    if ((flags & OpenRegularOnly) && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return noFile;
    }
    return reinterpret_cast<FileHandle>(file);
}

bool readFile(FileHandle file, void* buffer, uint32_t count, uint32_t* bytesRead) {
    DWORD got = 0;
    BOOL ok = ReadFile(handleOf(file), buffer, count, &got, nullptr);
    if (bytesRead != nullptr)
        *bytesRead = got;
    return ok != FALSE;
}

void closeFile(FileHandle file) {
    if (file != noFile)
        CloseHandle(handleOf(file));
}

bool StagedFile::open(const char* path) {
    discard();
    HANDLE file = INVALID_HANDLE_VALUE;
    for (uint32_t attempt = 0;
         attempt < 100 && file == INVALID_HANDLE_VALUE && path != nullptr && path[0] != '\0';
         ++attempt) {
        temporary.format("%s.%lu-%u.tmp", path, GetCurrentProcessId(), attempt);
        if (temporary.chars() == nullptr)
            break;
        const WideName name(temporary.chars());
        if (name.get() == nullptr)
            break;
        file = CreateFileW(name.get(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        temporary.clear();
        setLastError(FileOpenFailed);
        return false;
    }
    handle = reinterpret_cast<FileHandle>(file);
    target = path;
    if (target.chars() == nullptr) {
        discard();
        setLastError(FileOpenFailed);
        return false;
    }
    return true;
}

bool StagedFile::write(const void* data, uint32_t size) {
    DWORD written = 0;
    if (handle == noFile || WriteFile(handleOf(handle), data, size, &written, nullptr) == FALSE ||
        written != size) {
        discard();
        setLastError(FileWriteFailed);
        return false;
    }
    return true;
}

bool StagedFile::finish() {
    if (handle == noFile)
        return temporary.chars() != nullptr;
    bool complete = FlushFileBuffers(handleOf(handle)) != FALSE;
    if (CloseHandle(handleOf(handle)) == FALSE)
        complete = false;
    handle = noFile;
    if (!complete) {
        discard();
        setLastError(FileWriteFailed);
        return false;
    }
    return true;
}

Entry entryAt(const char* path) {
    const WideName name(path);
    const DWORD attributes =
        name.get() == nullptr ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(name.get());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Entry::None;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Entry::Folder : Entry::File;
}

Linked linkFile(const char* from, const char* to) {
    const WideName fromName(from), toName(to);
    if (fromName.get() == nullptr || toName.get() == nullptr)
        return Linked::Failed;
    if (CreateHardLinkW(toName.get(), fromName.get(), nullptr) != FALSE)
        return Linked::Done;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? Linked::NameTaken
                                                                       : Linked::Failed;
}

bool moveFile(const char* from, const char* to) {
    const WideName fromName(from), toName(to);
    return fromName.get() != nullptr && toName.get() != nullptr &&
           MoveFileExW(fromName.get(), toName.get(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void removeFile(const char* path) {
    const WideName name(path);
    if (name.get() != nullptr)
        DeleteFileW(name.get());
}

unsigned long processNumber() {
    return GetCurrentProcessId();
}

void StagedFile::discard() {
    if (handle != noFile)
        CloseHandle(handleOf(handle));
    handle = noFile;
    if (temporary.chars() != nullptr)
        removeFile(temporary.chars());
    temporary.clear();
}

bool findFiles(const char* extension, FoundFileVisit visit, void* context) {
    String pattern;  // stays null when out of memory, where "*" + extension could lose the "*"
    pattern.format("*%s", extension);
    if (pattern.chars() == nullptr) {
        setLastError(OutOfMemory);  // not a search that found nothing
        return false;
    }
    const WideName wide(pattern.chars());
    WIN32_FIND_DATAW found;
    HANDLE search =
        wide.get() == nullptr ? INVALID_HANDLE_VALUE : FindFirstFileW(wide.get(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;  // a search that cannot start finds nothing
    bool completed = true;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            continue;
        // The pattern also matches through a file's short 8.3 name ("x.ntfx" has one ending in
        // ".NTF"), so the real name is checked too.
        bool outOfMemory = false;
        const String name = narrowName(found.cFileName, &outOfMemory);
        if (outOfMemory) {
            setLastError(OutOfMemory);  // a name lost would list too few templates
            completed = false;
            break;
        }
        if (name.chars() == nullptr || !hasExtension(name.chars(), extension))
            continue;
        if (!visit(name.chars(), context)) {
            completed = false;
            break;
        }
    } while (FindNextFileW(search, &found) != FALSE);
    FindClose(search);
    return completed;
}
