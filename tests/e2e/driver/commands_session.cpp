// Commands on top-level windows, message boxes, the save dialog, the clipboard, the program's
// process, and the script itself.
#include <cstdio>
#include <string>

#include "commands.h"
#include "driver_support.h"
#include "driver_windows.h"

namespace driver {

namespace {

struct ButtonName {
    const char* name;
    int id;
};

const ButtonName kButtons[] = {
    {"OK", IDOK},
    {"Cancel", IDCANCEL},
    {"Abort", IDABORT},
    {"Retry", IDRETRY},
    {"Ignore", IDIGNORE},
    {"Yes", IDYES},
    {"No", IDNO},
    {"Close", IDCLOSE},
    {"Help", IDHELP},
    {"TryAgain", IDTRYAGAIN},
    {"Continue", IDCONTINUE},
};

int parseButton(const std::string& word) {
    for (const ButtonName& button : kButtons) {
        if (_stricmp(word.c_str(), button.name) == 0)
            return button.id;
    }
    return static_cast<int>(parseNumber(word, "a button (OK, Cancel, Yes, No... or an id)"));
}

HWND waitBox(const std::string& title) {
    return waitWindow(WindowKind::MessageBox, &title, settings().waitSeconds);
}

// Presses a dialog's button through the dialog, as the button's own click would.
void pressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button)
        fail(kExitNotFound, "the dialog has no button %d", id);
    postMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
}

void waitDestroyed(HWND window, const char* what) {
    if (!pollUntil(settings().waitSeconds,
                   [&] { return !IsWindow(window) || !IsWindowVisible(window); })) {
        fail(kExitFailed, "the %s did not close within %g s", what, settings().waitSeconds);
    }
}

class Clipboard {
public:
    Clipboard() {
        // Another program may hold the clipboard for a moment.
        if (!pollUntil(settings().waitSeconds, [] { return OpenClipboard(nullptr) != FALSE; })) {
            fail(kExitFailed, "cannot open the clipboard (error %lu)", GetLastError());
        }
    }
    ~Clipboard() { CloseClipboard(); }
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;
};

std::string clipboardBytes(UINT format) {
    Clipboard open;
    HANDLE data = GetClipboardData(format);
    if (!data)
        fail(kExitFailed, "the clipboard holds no data in format %u", format);
    SIZE_T size = GlobalSize(data);
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes)
        fail(kExitFailed, "cannot lock the clipboard data");
    std::string copy(bytes, size);
    GlobalUnlock(data);
    return copy;
}

std::string quoteArgument(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos)
        return word;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"')
                quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

// --- windows

void waitMainCommand(const Arguments& a) {
    waitWindow(WindowKind::Main, &settings().mainTitle, secondsArgument(a, 0));
}

void waitWindowCommand(const Arguments& a) {
    waitWindow(WindowKind::Any, &a[0], secondsArgument(a, 1));
}

void waitGoneCommand(const Arguments& a) {
    double seconds = secondsArgument(a, 1);
    if (!pollUntil(seconds, [&] { return findWindow(WindowKind::Any, &a[0]) == nullptr; })) {
        fail(kExitFailed, "window \"%s\" is still there after %g s", escapeBytes(a[0]).c_str(),
             seconds);
    }
}

void noWindowCommand(const Arguments& a) {
    sync();
    if (findWindow(WindowKind::Any, &a[0])) {
        fail(kExitMismatch, "a window \"%s\" is open", escapeBytes(a[0]).c_str());
    }
}

void windowsCommand(const Arguments&) {
    std::string lines;
    for (HWND window : topLevelWindows()) {
        if (!IsWindowVisible(window))
            continue;
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char line[128];
        snprintf(line, sizeof line, "%s%s pid %lu \"", lines.empty() ? "" : "\n",
                 className(window).c_str(), pid);
        lines += line + escapeBytes(windowTitle(window)) + "\"";
    }
    emit(lines);
}

void captionCommand(const Arguments&) {
    emit(windowTitle(mainWindow()));
}

// --- message boxes and the save dialog

void boxTextCommand(const Arguments& a) {
    HWND box = waitBox(a[0]);
    emit(windowText(messageText(box)));
}

void boxOwnerCommand(const Arguments& a) {
    HWND owner = GetWindow(waitBox(a[0]), GW_OWNER);
    if (!owner) {
        emit("none");
    } else {
        emit(owner == findWindow(WindowKind::Main, &settings().mainTitle) ? "main" : "other");
    }
}

void answerBoxCommand(const Arguments& a) {
    HWND box = waitBox(a[0]);
    pressButton(box, parseButton(a[1]));
    waitDestroyed(box, "message box");
    sync();
}

void saveDialogCommand(const Arguments& a) {
    const std::string* title = a.size() > 1 ? &a[1] : nullptr;
    HWND dialog = waitWindow(WindowKind::FileDialog, title, settings().waitSeconds);
    HWND name = fileNameBox(dialog);
    std::string path = hostPath(a[0]);
    if (!sendMessage(name, WM_SETTEXT, 0, (LPARAM)path.c_str()))
        fail(kExitFailed, "the file name box refused the path");
    pressButton(dialog, IDOK);
    sync();
}

void cancelDialogCommand(const Arguments& a) {
    const std::string* title = a.empty() ? nullptr : &a[0];
    HWND dialog = waitWindow(WindowKind::FileDialog, title, settings().waitSeconds);
    pressButton(dialog, IDCANCEL);
    waitDestroyed(dialog, "file dialog");
    sync();
}

// --- clipboard

void clipboardOemCommand(const Arguments& a) {
    std::string bytes = clipboardBytes(CF_OEMTEXT);
    writeFile(a[0], bytes);
    setResult(bytes);
}

void clipboardHexCommand(const Arguments&) {
    emitHex(clipboardBytes(CF_OEMTEXT));
}

void clipboardFormatsCommand(const Arguments&) {
    Clipboard open;
    std::string formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        formats += (formats.empty() ? "" : " ") + std::to_string(format);
    }
    emit(formats);
}

void clipboardSetCommand(const Arguments& a) {
    std::string text = decodeEscapes(a[0]);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block)
        fail(kExitFailed, "out of memory");
    char* bytes = static_cast<char*>(GlobalLock(block));
    memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    Clipboard open;
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) {
        GlobalFree(block);
        fail(kExitFailed, "cannot set the clipboard (error %lu)", GetLastError());
    }
}

void clipboardClearCommand(const Arguments&) {
    Clipboard open;
    if (!EmptyClipboard())
        fail(kExitFailed, "cannot empty the clipboard");
}

// --- the program's process

void startCommand(const Arguments& a) {
    size_t first = 0;
    std::string directory;
    if (a[0] == "-d") {
        if (a.size() < 3)
            fail(kExitUsage, "start -d DIR PROGRAM [ARGUMENTS...]");
        directory = hostPath(a[1]);
        first = 2;
    }
    std::string commandLine;
    for (size_t i = first; i < a.size(); ++i) {
        commandLine += (i > first ? " " : "") + quoteArgument(i == first ? hostPath(a[i]) : a[i]);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &info)) {
        fail(kExitFailed, "cannot start %s (error %lu)", commandLine.c_str(), GetLastError());
    }
    CloseHandle(info.hThread);
    setProcess(info.hProcess);
}

void closeCommand(const Arguments&) {
    HWND main = mainWindow();
    postMessage(main, WM_CLOSE, 0, 0);
}

void waitExitCommand(const Arguments& a) {
    if (!targetProcess()) {
        if (HWND main = findWindow(WindowKind::Main, &settings().mainTitle))
            rememberProcess(main);
    }
    HANDLE process = targetProcess();
    if (!process)
        fail(kExitNotFound, "no program to wait for (start it, or find its window first)");
    double seconds = secondsArgument(a, 0);
    if (WaitForSingleObject(process, static_cast<DWORD>(seconds * 1000)) != WAIT_OBJECT_0) {
        fail(kExitNotFound, "the program did not exit within %g s", seconds);
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    emit(std::to_string(static_cast<long>(static_cast<LONG>(code))));
}

// --- the script

void syncCommand(const Arguments&) {
    sync();
}

void sleepCommand(const Arguments& a) {
    long milliseconds = parseNumber(a[0], "milliseconds");
    if (milliseconds < 0 || milliseconds > 600000)
        fail(kExitUsage, "sleep takes 0 to 600000 ms");
    Sleep(static_cast<DWORD>(milliseconds));
}

void timeoutCommand(const Arguments& a) {
    settings().waitSeconds = parseSeconds(a[0]);
}

void mainTitleCommand(const Arguments& a) {
    settings().mainTitle = a[0];
}

void echoCommand(const Arguments& a) {
    std::string text;
    for (size_t i = 0; i < a.size(); ++i)
        text += (i ? " " : "") + decodeEscapes(a[i]);
    emit(text);
}

// The driver is started in the program's locale, so these are the program's code pages too.
void codePagesCommand(const Arguments&) {
    emit(std::to_string(GetACP()) + " " + std::to_string(GetOEMCP()));
}

void expectCommand(const Arguments& a) {
    std::string wanted = decodeEscapes(a[0]);
    if (lastResult() != wanted) {
        fail(kExitMismatch, "expected \"%s\", got \"%s\"", escapeBytes(wanted).c_str(),
             escapeBytes(lastResult()).c_str());
    }
}

void expectFileCommand(const Arguments& a) {
    std::string wanted = readFile(a[0]);
    if (lastResult() != wanted) {
        size_t at = 0;
        while (at < wanted.size() && at < lastResult().size() && wanted[at] == lastResult()[at])
            ++at;
        fail(kExitMismatch, "the result (%u bytes) differs from %s (%u bytes) at byte %u",
             static_cast<unsigned>(lastResult().size()), a[0].c_str(),
             static_cast<unsigned>(wanted.size()), static_cast<unsigned>(at));
    }
}

}  // namespace

const std::vector<Command>& sessionCommands() {
    static const std::vector<Command> commands = {
        {"wait-main", "[S]", 0, 1, waitMainCommand,
         "wait for the main window (title and tab control 1000)"},
        {"wait-window", "TITLE [S]", 1, 2, waitWindowCommand,
         "wait for a visible window with this title"},
        {"wait-gone", "TITLE [S]", 1, 2, waitGoneCommand, "wait until no window has this title"},
        {"no-window", "TITLE", 1, 1, noWindowCommand,
         "fail if, once settled, a window has this title"},
        {"windows", "", 0, 0, windowsCommand, "print the visible top-level windows"},
        {"caption", "", 0, 0, captionCommand, "print the main window's caption"},
        {"box-text", "TITLE", 1, 1, boxTextCommand, "print the text of the message box TITLE"},
        {"box-owner", "TITLE", 1, 1, boxOwnerCommand, "print the box's owner: main, none or other"},
        {"answer-box", "TITLE BUTTON", 2, 2, answerBoxCommand,
         "press OK, Cancel, Yes, No... in the box"},
        {"save-dialog", "PATH [TITLE]", 1, 2, saveDialogCommand,
         "type PATH into the file dialog, press OK"},
        {"cancel-dialog", "[TITLE]", 0, 1, cancelDialogCommand, "cancel the file dialog"},
        {"clipboard-oem", "FILE", 1, 1, clipboardOemCommand,
         "write the CF_OEMTEXT bytes (all of them) to FILE"},
        {"clipboard-hex", "", 0, 0, clipboardHexCommand, "print the CF_OEMTEXT bytes in hex"},
        {"clipboard-formats", "", 0, 0, clipboardFormatsCommand,
         "print the clipboard's format numbers"},
        {"clipboard-set", "TEXT", 1, 1, clipboardSetCommand,
         "put TEXT on the clipboard as CF_TEXT"},
        {"clipboard-clear", "", 0, 0, clipboardClearCommand, "empty the clipboard"},
        {"start", "[-d DIR] PROGRAM [ARGS...]", 1, 64, startCommand,
         "start a program (for wait-exit)"},
        {"close", "", 0, 0, closeCommand, "post WM_CLOSE to the main window"},
        {"wait-exit", "[S]", 0, 1, waitExitCommand,
         "wait for the program to end, print its exit code"},
        {"sync", "", 0, 0, syncCommand, "wait until the program has handled what was posted"},
        {"sleep", "MS", 1, 1, sleepCommand, "pause"},
        {"timeout", "S", 1, 1, timeoutCommand, "set how long lookups wait (default 10 s)"},
        {"main-title", "TITLE", 1, 1, mainTitleCommand,
         "set the main window's caption (default " QUENBY_VERSION_LINE ")"},
        {"echo", "TEXT...", 0, 64, echoCommand, "print the words"},
        {"code-pages", "", 0, 0, codePagesCommand, "print the ANSI and the OEM code page"},
        {"expect", "TEXT", 1, 1, expectCommand, "fail unless the last result is exactly TEXT"},
        {"expect-file", "FILE", 1, 1, expectFileCommand,
         "fail unless the last result equals FILE's bytes"},
    };
    return commands;
}

}  // namespace driver
