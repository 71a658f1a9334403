#include "driver_windows.h"

// (after windows.h, which commctrl.h builds on)
#include <commctrl.h>

#include <cctype>

#include "driver_support.h"
#include "ui/resource.h"

namespace driver {

namespace {

const int kTabControlId = IDC_MAIN_TABS;
const int kMessageTextId = 0xFFFF;
const int kFileNameComboId = 0x47C;
const int kFileNameEditId = 0x480;
const WORD kSyncMarker = 0x7E51;

HANDLE theProcess = nullptr;

// A block of memory inside another process, freed when it goes out of scope.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process_)
            fail(kExitFailed, "cannot open process %lu (error %lu)", pid, GetLastError());
        address_ =
            static_cast<char*>(VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
        if (!address_) {
            CloseHandle(process_);
            fail(kExitFailed, "cannot allocate memory in process %lu", pid);
        }
    }
    ~RemoteBuffer() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* address() const { return address_; }
    size_t size() const { return size_; }
    void write(const void* data, size_t size) {
        if (!WriteProcessMemory(process_, address_, data, size, nullptr)) {
            fail(kExitFailed, "cannot write to the program's memory");
        }
    }
    void read(const void* from, void* data, size_t size) {
        if (!ReadProcessMemory(process_, from, data, size, nullptr)) {
            fail(kExitFailed, "cannot read the program's memory");
        }
    }
    // A NUL-terminated string at `from`, at most `limit` bytes.
    std::string readString(const char* from, size_t limit) {
        std::string text;
        char chunk[64];
        while (text.size() < limit) {
            read(from + text.size(), chunk, sizeof chunk);
            for (char c : chunk) {
                if (c == '\0')
                    return text;
                text += c;
            }
        }
        return text;
    }

private:
    HANDLE process_;
    char* address_;
    size_t size_;
};

bool hasKind(HWND window, WindowKind kind) {
    switch (kind) {
        case WindowKind::Any:
            return true;
        case WindowKind::Main: {
            HWND tab = GetDlgItem(window, kTabControlId);
            return className(window) == "#32770" && tab && className(tab) == WC_TABCONTROLA;
        }
        case WindowKind::MessageBox:
            return className(window) == "#32770" && messageText(window) &&
                   !findDescendant(window, kFileNameComboId);
        case WindowKind::FileDialog:
            return className(window) == "#32770" && fileNameBox(window);
    }
    return false;
}

}  // namespace

LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!trySendMessage(window, message, wParam, lParam, &result)) {
        fail(kExitFailed, "window %p did not answer message 0x%X within %u ms", (void*)window,
             message, settings().messageTimeoutMs);
    }
    return result;
}

LRESULT sendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             settings().messageTimeoutMs, &result)) {
        fail(kExitFailed, "window %p did not answer message 0x%X within %u ms", (void*)window,
             message, settings().messageTimeoutMs);
    }
    return static_cast<LRESULT>(result);
}

bool trySendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             settings().messageTimeoutMs, &answer)) {
        return false;
    }
    *result = static_cast<LRESULT>(answer);
    return true;
}

void postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageA(window, message, wParam, lParam)) {
        fail(kExitFailed, "cannot post message 0x%X to window %p (error %lu)", message,
             (void*)window, GetLastError());
    }
}

std::string windowText(HWND window) {
    LRESULT length = sendMessage(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<size_t>(length) * 2 + 2);
    LRESULT got = sendMessage(window, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data());
    if (got < 0 || static_cast<size_t>(got) >= buffer.size())
        got = 0;
    return std::string(buffer.data(), static_cast<size_t>(got));
}

std::string windowTitle(HWND window) {
    // Reads the caption kept by the system: no message, so a hung window cannot stall it.
    char title[1024];
    int length = GetWindowTextA(window, title, sizeof title);
    return std::string(title, length > 0 ? length : 0);
}

std::string className(HWND window) {
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

static BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(collectWindow, (LPARAM)&windows);
    return windows;
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND findDescendant(HWND parent, int id) {
    for (HWND child : childWindows(parent)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        if (HWND inner = findDescendant(child, id))
            return inner;
    }
    return nullptr;
}

HWND messageText(HWND box) {
    return GetDlgItem(box, kMessageTextId);
}

HWND fileNameBox(HWND dialog) {
    HWND name = findDescendant(dialog, kFileNameComboId);
    return name ? name : findDescendant(dialog, kFileNameEditId);
}

const char* kindName(WindowKind kind) {
    switch (kind) {
        case WindowKind::Any:
            return "window";
        case WindowKind::Main:
            return "main window";
        case WindowKind::MessageBox:
            return "message box";
        case WindowKind::FileDialog:
            return "file dialog";
    }
    return "window";
}

HWND findWindow(WindowKind kind, const std::string* title) {
    for (HWND window : topLevelWindows()) {
        if (!IsWindowVisible(window))
            continue;
        if (title && windowTitle(window) != *title)
            continue;
        if (hasKind(window, kind))
            return window;
    }
    return nullptr;
}

HWND waitWindow(WindowKind kind, const std::string* title, double seconds) {
    HWND found = nullptr;
    pollUntil(seconds, [&] { return (found = findWindow(kind, title)) != nullptr; });
    if (!found) {
        if (title) {
            fail(kExitNotFound, "no %s \"%s\" within %g s", kindName(kind),
                 escapeBytes(*title).c_str(), seconds);
        }
        fail(kExitNotFound, "no %s within %g s", kindName(kind), seconds);
    }
    rememberProcess(found);
    return found;
}

HWND mainWindow() {
    return waitWindow(WindowKind::Main, &settings().mainTitle, settings().waitSeconds);
}

HWND tabControl(HWND main) {
    HWND tab = GetDlgItem(main, kTabControlId);
    if (!tab)
        fail(kExitNotFound, "the main window has no tab control %d", kTabControlId);
    return tab;
}

std::vector<HWND> pages(HWND main) {
    std::vector<HWND> zOrder;
    for (HWND child : childWindows(main)) {
        if (className(child) == "#32770")
            zOrder.push_back(child);
    }
    // Pages are made in the reverse of their tab order and each is placed on top, so the
    // first page in tab order is the last in Z order. The page on show confirms the order.
    std::vector<HWND> tabOrder(zOrder.rbegin(), zOrder.rend());
    LRESULT current = sendMessage(tabControl(main), TCM_GETCURSEL, 0, 0);
    HWND shown = nullptr;
    int shownCount = 0;
    for (HWND page : zOrder) {
        if (IsWindowVisible(page)) {
            shown = page;
            ++shownCount;
        }
    }
    if (shownCount == 1 && current >= 0 && static_cast<size_t>(current) < zOrder.size() &&
        tabOrder[current] != shown && zOrder[current] == shown) {
        return zOrder;
    }
    return tabOrder;
}

namespace {

// The controls outside the form table, by name: the main window's and those of the About and
// Preview pages.
struct NamedControl {
    const char* page;
    const char* name;
    int id;
};
const NamedControl kNamedControls[] = {
    {"main", "Tabs", IDC_MAIN_TABS},
    {"0", "VersionLabel", IDC_ABOUT_VERSION_LABEL},
    {"0", "WebLink", IDC_ABOUT_WEB_LINK},
    {"0", "MailLink", IDC_ABOUT_MAIL_LINK},
    {"4", "TextEdit", IDC_PREVIEW_TEXT_EDIT},
    {"4", "CopyButton", IDC_PREVIEW_COPY_BUTTON},
    {"4", "SaveButton", IDC_PREVIEW_SAVE_BUTTON},
    {"4", "TemplateList", IDC_PREVIEW_TEMPLATE_LIST},
};

}  // namespace

const FormPageInfo* formPageAt(const std::string& pageWord) {
    for (size_t i = 0; i < sizeof formTable::pages / sizeof formTable::pages[0]; ++i) {
        if (pageWord == std::to_string(i + 1))
            return &formTable::pages[i];
    }
    return nullptr;
}

int controlId(const std::string& pageWord, const std::string& idWord) {
    if (!idWord.empty() && (isdigit(static_cast<unsigned char>(idWord[0])) || idWord[0] == '-'))
        return static_cast<int>(parseNumber(idWord, "a control id"));
    if (const FormPageInfo* page = formPageAt(pageWord)) {
        if (const FormControl* found = findFormControl(page->page, idWord.c_str()))
            return static_cast<int>(found->id);
    }
    for (const NamedControl& named : kNamedControls) {
        if (pageWord == named.page && idWord == named.name)
            return named.id;
    }
    fail(kExitUsage, "page %s has no control named %s", pageWord.c_str(), idWord.c_str());
}

HWND control(const std::string& pageWord, const std::string& idWord) {
    HWND main = mainWindow();
    HWND parent = main;
    if (pageWord != "main") {
        long index = parseNumber(pageWord, "a page");
        std::vector<HWND> all = pages(main);
        if (index < 0 || static_cast<size_t>(index) >= all.size()) {
            fail(kExitNotFound, "no page %ld (the main window has %u)", index,
                 static_cast<unsigned>(all.size()));
        }
        parent = all[index];
    }
    int id = controlId(pageWord, idWord);
    HWND found = GetDlgItem(parent, id);
    if (!found)
        fail(kExitNotFound, "page %s has no control %s", pageWord.c_str(), idWord.c_str());
    return found;
}

namespace {

bool holdsPushButton(HWND parent) {
    for (HWND child : childWindows(parent)) {
        LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
        if (className(child) == "Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
            return true;
        }
        if (holdsPushButton(child))
            return true;
    }
    return false;
}

// The dialog that carries the sync marker: a page without push buttons, whose default-button
// id nothing else reads; the main window if every page has push buttons. (Changing the
// default id of a dialog with push buttons would restyle its default button.)
HWND syncTarget(HWND main) {
    for (HWND child : childWindows(main)) {
        if (className(child) == "#32770" && !holdsPushButton(child))
            return child;
    }
    return main;
}

}  // namespace

void sync() {
    HWND main = findWindow(WindowKind::Main, &settings().mainTitle);
    if (!main) {
        // Nothing to ask (the program is ending or shows only a box): let it settle.
        Sleep(100);
        return;
    }
    // Posted messages of one thread are handled in order, whichever of its windows they are
    // for: once the marker posted now has been handled, so has everything posted before it.
    HWND target = syncTarget(main);
    LRESULT before = 0;
    if (!trySendMessage(target, DM_GETDEFID, 0, 0, &before))
        return;
    WORD original = HIWORD(before) == DC_HASDEFID ? LOWORD(before) : 0;
    WORD marker = original == kSyncMarker ? kSyncMarker + 1 : kSyncMarker;
    if (!PostMessageA(target, DM_SETDEFID, marker, 0))
        return;
    bool gone = false;
    bool seen = pollUntil(settings().messageTimeoutMs / 1000.0, [&] {
        LRESULT now = 0;
        if (!trySendMessage(target, DM_GETDEFID, 0, 0, &now)) {
            gone = !IsWindow(target);
            return gone;
        }
        return LOWORD(now) == marker && HIWORD(now) == DC_HASDEFID;
    });
    if (gone)
        return;
    LRESULT unused;
    trySendMessage(target, DM_SETDEFID, original, 0, &unused);
    if (!seen) {
        fail(kExitFailed, "the program did not handle its messages within %u ms",
             settings().messageTimeoutMs);
    }
}

void rememberProcess(HWND window) {
    if (theProcess)
        return;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    theProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
}

void setProcess(HANDLE process) {
    if (theProcess)
        CloseHandle(theProcess);
    theProcess = process;
}

HANDLE targetProcess() {
    return theProcess;
}

std::vector<std::string> tabTitles(HWND tab) {
    std::vector<std::string> titles;
    LRESULT count = sendMessage(tab, TCM_GETITEMCOUNT, 0, 0);
    RemoteBuffer buffer(tab, 4096);
    for (LRESULT i = 0; i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = buffer.address() + sizeof item;
        item.cchTextMax = static_cast<int>(buffer.size() - sizeof item);
        buffer.write(&item, sizeof item);
        if (!sendMessage(tab, TCM_GETITEMA, i, (LPARAM)buffer.address())) {
            fail(kExitFailed, "the tab control did not give item %ld", static_cast<long>(i));
        }
        buffer.read(buffer.address(), &item, sizeof item);
        titles.push_back(buffer.readString(item.pszText, 1024));
    }
    return titles;
}

RECT tabItemRect(HWND tab, int index) {
    RemoteBuffer buffer(tab, sizeof(RECT));
    RECT rect = {};
    buffer.write(&rect, sizeof rect);
    if (!sendMessage(tab, TCM_GETITEMRECT, index, (LPARAM)buffer.address())) {
        fail(kExitNotFound, "the tab control has no item %d", index);
    }
    buffer.read(buffer.address(), &rect, sizeof rect);
    return rect;
}

}  // namespace driver
