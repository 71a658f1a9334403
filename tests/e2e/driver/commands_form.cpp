// Commands on the main window, its tabs, its pages and their controls.
#include <windows.h>
// (windows.h first: commctrl.h builds on it)
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "driver_support.h"
#include "driver_windows.h"

namespace driver {

namespace {

std::string number(long value) {
    return std::to_string(value);
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            joined += '\n';
        joined += lines[i];
    }
    return joined;
}

void requireEnabled(HWND window, const Arguments& a) {
    if (!IsWindowEnabled(window)) {
        fail(kExitFailed, "control %s %s is disabled", a[0].c_str(), a[1].c_str());
    }
}

// The edit box that takes the typing: the control itself, or the field of a combo box.
HWND typingTarget(HWND window) {
    if (className(window) == "ComboBox") {
        for (HWND child : childWindows(window)) {
            if (className(child) == "Edit")
                return child;
        }
        fail(kExitFailed, "the combo box has no editable field");
    }
    return window;
}

std::vector<std::string> comboItems(HWND combo) {
    // CB_GETLBTEXT sent as ANSI across processes comes back as UTF-16 under Wine: ask in
    // Unicode and convert with the ANSI code page, as the program's own ANSI calls would.
    std::vector<std::string> items;
    LRESULT count = sendMessage(combo, CB_GETCOUNT, 0, 0);
    if (count == CB_ERR)
        fail(kExitFailed, "the control is not a combo box");
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = sendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length == CB_ERR)
            fail(kExitFailed, "cannot read item %ld", static_cast<long>(i));
        std::vector<wchar_t> wide(static_cast<size_t>(length) + 1);
        LRESULT got = sendMessageW(combo, CB_GETLBTEXT, i, (LPARAM)wide.data());
        if (got == CB_ERR)
            fail(kExitFailed, "cannot read item %ld", static_cast<long>(i));
        std::string item(static_cast<size_t>(got) * 2 + 1, '\0');
        int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(got), &item[0],
                                        static_cast<int>(item.size()), nullptr, nullptr);
        item.resize(bytes > 0 ? bytes : 0);
        items.push_back(item);
    }
    return items;
}

struct KeyName {
    const char* name;
    BYTE key;
    bool extended;
};

const KeyName kKeyNames[] = {
    {"BACK", VK_BACK, false},    {"TAB", VK_TAB, false},       {"RETURN", VK_RETURN, false},
    {"ENTER", VK_RETURN, false}, {"ESCAPE", VK_ESCAPE, false}, {"ESC", VK_ESCAPE, false},
    {"SPACE", VK_SPACE, false},  {"PRIOR", VK_PRIOR, true},    {"PAGEUP", VK_PRIOR, true},
    {"NEXT", VK_NEXT, true},     {"PAGEDOWN", VK_NEXT, true},  {"END", VK_END, true},
    {"HOME", VK_HOME, true},     {"LEFT", VK_LEFT, true},      {"UP", VK_UP, true},
    {"RIGHT", VK_RIGHT, true},   {"DOWN", VK_DOWN, true},      {"INSERT", VK_INSERT, true},
    {"DELETE", VK_DELETE, true}, {"F4", VK_F4, false},
};

KeyName parseKey(const std::string& word) {
    for (const KeyName& key : kKeyNames) {
        if (word == key.name)
            return key;
    }
    if (word.size() == 1 &&
        ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= '0' && word[0] <= '9'))) {
        return {"", static_cast<BYTE>(word[0]), false};
    }
    long code = parseNumber(word, "a key (a name such as DOWN, or a virtual-key code)");
    if (code <= 0 || code > 254)
        fail(kExitUsage, "virtual-key code %ld is out of range", code);
    return {"", static_cast<BYTE>(code), false};
}

void postKey(HWND window, const KeyName& key) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key.key, MAPVK_VK_TO_VSC)) << 16;
    LPARAM down = 1 | scan | (key.extended ? 1 << 24 : 0);
    LPARAM up = down | (1u << 30) | (1u << 31);
    postMessage(window, WM_KEYDOWN, key.key, down);
    postMessage(window, WM_KEYUP, key.key, up);
}

// --- tabs and pages

void tabCommand(const Arguments& a) {
    HWND tab = tabControl(mainWindow());
    long index = parseNumber(a[0], "a tab");
    LRESULT count = sendMessage(tab, TCM_GETITEMCOUNT, 0, 0);
    if (index < 0 || index >= count)
        fail(kExitNotFound, "no tab %ld (there are %ld)", index, static_cast<long>(count));
    // TCM_SETCURFOCUS raises TCN_SELCHANGING and TCN_SELCHANGE as a user's click does;
    // the program handles both before the message returns.
    sendMessage(tab, TCM_SETCURFOCUS, index, 0);
    if (sendMessage(tab, TCM_GETCURSEL, 0, 0) != index)
        fail(kExitFailed, "tab %ld was not selected", index);
}

void tabClickCommand(const Arguments& a) {
    HWND tab = tabControl(mainWindow());
    long index = parseNumber(a[0], "a tab");
    RECT rect = tabItemRect(tab, static_cast<int>(index));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    postMessage(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
    postMessage(tab, WM_LBUTTONUP, 0, point);
    sync();
    if (sendMessage(tab, TCM_GETCURSEL, 0, 0) != index) {
        // Wine's tab control answers the first click after a keyboard (or `tab`) change by
        // only clearing its pressed state, with a TCN_SELCHANGE for the old selection.
        fail(kExitFailed,
             "tab %ld was not selected by the click (after a keyboard or tab command "
             "change, Wine's tab control drops one click: use tab)",
             index);
    }
}

void tabRectCommand(const Arguments& a) {
    RECT rect = tabItemRect(tabControl(mainWindow()), static_cast<int>(parseNumber(a[0], "a tab")));
    char text[64];
    snprintf(text, sizeof text, "%ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
    emit(text);
}

void tabsCommand(const Arguments&) {
    emit(joinLines(tabTitles(tabControl(mainWindow()))));
}

void currentTabCommand(const Arguments&) {
    emit(number(sendMessage(tabControl(mainWindow()), TCM_GETCURSEL, 0, 0)));
}

void shownPageCommand(const Arguments&) {
    std::vector<HWND> all = pages(mainWindow());
    std::string shown;
    for (size_t i = 0; i < all.size(); ++i) {
        if (IsWindowVisible(all[i]))
            shown += (shown.empty() ? "" : " ") + number(static_cast<long>(i));
    }
    emit(shown.empty() ? "none" : shown);
}

void pagesCommand(const Arguments&) {
    std::vector<HWND> all = pages(mainWindow());
    std::vector<std::string> lines;
    for (size_t i = 0; i < all.size(); ++i) {
        std::string ids;
        for (HWND child : childWindows(all[i])) {
            int id = GetDlgCtrlID(child);
            if (id > 0 && id < 0xFFFF)
                ids += " " + number(id);
        }
        char line[128];
        snprintf(line, sizeof line, "%u %s ids", static_cast<unsigned>(i),
                 IsWindowVisible(all[i]) ? "shown" : "hidden");
        lines.push_back(line + ids);
    }
    emit(joinLines(lines));
}

void controlsCommand(const Arguments& a) {
    HWND parent = a[0] == "main" ? mainWindow() : nullptr;
    if (!parent) {
        long index = parseNumber(a[0], "a page");
        std::vector<HWND> all = pages(mainWindow());
        if (index < 0 || static_cast<size_t>(index) >= all.size())
            fail(kExitNotFound, "no page %ld", index);
        parent = all[index];
    }
    std::vector<std::string> lines;
    for (HWND child : childWindows(parent)) {
        char line[160];
        snprintf(line, sizeof line, "%d %s %s %s \"", GetDlgCtrlID(child), className(child).c_str(),
                 IsWindowEnabled(child) ? "enabled" : "disabled",
                 IsWindowVisible(child) ? "visible" : "hidden");
        lines.push_back(line + escapeBytes(windowText(child)) + "\"");
    }
    emit(joinLines(lines));
}

// --- reading controls

void getTextCommand(const Arguments& a) {
    emit(windowText(control(a[0], a[1])));
}

void getTextHexCommand(const Arguments& a) {
    emitHex(windowText(control(a[0], a[1])));
}

void getTextFileCommand(const Arguments& a) {
    std::string text = windowText(control(a[0], a[1]));
    writeFile(a[2], text);
    setResult(text);
}

void checkedCommand(const Arguments& a) {
    emit(number(sendMessage(control(a[0], a[1]), BM_GETCHECK, 0, 0)));
}

void enabledCommand(const Arguments& a) {
    emit(IsWindowEnabled(control(a[0], a[1])) ? "1" : "0");
}

void visibleCommand(const Arguments& a) {
    emit(IsWindowVisible(control(a[0], a[1])) ? "1" : "0");
}

// Each control of the form page, in the form table's order: its page and name, whether it is
// enabled, and its check mark or its text.
void formStateCommand(const Arguments& a) {
    const FormPageInfo* page = formPageAt(a[0]);
    if (!page)
        fail(kExitUsage, "page %s is not a form page", a[0].c_str());
    std::vector<std::string> lines;
    for (const FormControl& c : formTable::controls) {
        if (c.page != page->page)
            continue;
        HWND window = control(a[0], c.name);
        const bool button = c.kind == ControlKind::Check || c.kind == ControlKind::Radio;
        const bool checked = sendMessage(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
        lines.push_back(std::string(page->name) + " " + c.name +
                        (IsWindowEnabled(window) ? " enabled " : " disabled ") +
                        (button ? (checked ? "checked" : "unchecked")
                                : "\"" + escapeBytes(windowText(window)) + "\""));
    }
    emit(joinLines(lines));
}

void comboItemsCommand(const Arguments& a) {
    emit(joinLines(comboItems(control(a[0], a[1]))));
}

void comboSelectionCommand(const Arguments& a) {
    emit(number(sendMessage(control(a[0], a[1]), CB_GETCURSEL, 0, 0)));
}

// --- acting on controls

// Replaces the control's text with WM_SETTEXT; `a` names the control for the failure.
void setText(HWND window, const std::string& text, const Arguments& a) {
    if (!sendMessage(window, WM_SETTEXT, 0, (LPARAM)text.c_str())) {
        fail(kExitFailed, "control %s %s refused the text", a[0].c_str(), a[1].c_str());
    }
}

void setTextCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    setText(window, decodeEscapes(a[2]), a);
}

void setTextFileCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    std::string text = readFile(a[2]);
    if (text.find('\0') != std::string::npos)
        fail(kExitUsage, "%s holds a NUL byte", a[2].c_str());
    setText(window, text, a);
}

void typeCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    requireEnabled(window, a);
    HWND target = typingTarget(window);
    std::string text = decodeEscapes(a[2]);
    // Like a user who clicks at the end of the box and types: each byte is one WM_CHAR that
    // goes through the program's message loop and the box's own filtering.
    LRESULT length = sendMessage(target, WM_GETTEXTLENGTH, 0, 0);
    sendMessage(target, EM_SETSEL, length, length);
    for (unsigned char c : text) {
        LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(VkKeyScanA(c) & 0xFF, MAPVK_VK_TO_VSC));
        postMessage(target, WM_CHAR, c, 1 | (scan << 16));
    }
    sync();
}

void keyCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    requireEnabled(window, a);
    for (size_t i = 2; i < a.size(); ++i)
        postKey(window, parseKey(a[i]));
    sync();
}

void clickCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    requireEnabled(window, a);
    LRESULT unused;
    if (!trySendMessage(window, BM_CLICK, 0, 0, &unused)) {
        fail(kExitFailed,
             "the click on %s %s was not handled within %u ms (if it opens a dialog, use "
             "click-post)",
             a[0].c_str(), a[1].c_str(), settings().messageTimeoutMs);
    }
}

void clickPostCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    requireEnabled(window, a);
    postMessage(window, BM_CLICK, 0, 0);
    sync();
}

void setCheckCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    long wanted = parseNumber(a[2], "the check state (0 or 1)");
    if (wanted != 0 && wanted != 1)
        fail(kExitUsage, "the check state must be 0 or 1");
    if (sendMessage(window, BM_GETCHECK, 0, 0) == wanted)
        return;
    requireEnabled(window, a);
    sendMessage(window, BM_CLICK, 0, 0);
    if (sendMessage(window, BM_GETCHECK, 0, 0) != wanted) {
        fail(kExitFailed, "clicking %s %s did not make its check state %ld", a[0].c_str(),
             a[1].c_str(), wanted);
    }
}

void comboSelectCommand(const Arguments& a) {
    HWND combo = control(a[0], a[1]);
    requireEnabled(combo, a);
    std::string wanted = decodeEscapes(a[2]);
    std::vector<std::string> items = comboItems(combo);
    size_t index = 0;
    while (index < items.size() && items[index] != wanted)
        ++index;
    if (index == items.size()) {
        fail(kExitNotFound, "combo box %s %s has no item \"%s\"", a[0].c_str(), a[1].c_str(),
             escapeBytes(wanted).c_str());
    }
    // CB_SETCURSEL notifies nothing; a user's choice also sends CBN_SELCHANGE to the page. It is
    // posted: the program may answer it with a message box.
    sendMessage(combo, CB_SETCURSEL, index, 0);
    postMessage(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                (LPARAM)combo);
    sync();
}

void focusCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    sendMessage(GetAncestor(window, GA_ROOT), WM_NEXTDLGCTL, (WPARAM)window, TRUE);
}

// --- waiting for controls

void waitTextCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    std::string wanted = decodeEscapes(a[2]);
    double seconds = secondsArgument(a, 3);
    std::string text;
    if (!pollUntil(seconds, [&] { return (text = windowText(window)) == wanted; })) {
        fail(kExitMismatch, "control %s %s still reads \"%s\" after %g s", a[0].c_str(),
             a[1].c_str(), escapeBytes(text).c_str(), seconds);
    }
    setResult(text);
}

void waitEnabledCommand(const Arguments& a) {
    HWND window = control(a[0], a[1]);
    long wanted = parseNumber(a[2], "the enabled state (0 or 1)");
    double seconds = secondsArgument(a, 3);
    if (!pollUntil(seconds, [&] { return (IsWindowEnabled(window) ? 1 : 0) == wanted; })) {
        fail(kExitMismatch, "control %s %s is still %s after %g s", a[0].c_str(), a[1].c_str(),
             wanted ? "disabled" : "enabled", seconds);
    }
}

}  // namespace

const std::vector<Command>& formCommands() {
    static const std::vector<Command> commands = {
        {"tab", "N", 1, 1, tabCommand,
         "select tab N as a user would (TCN_SELCHANGING, TCN_SELCHANGE)"},
        {"tab-click", "N", 1, 1, tabClickCommand, "click the middle of tab N with the mouse"},
        {"tab-rect", "N", 1, 1, tabRectCommand, "print tab N's rectangle: left top right bottom"},
        {"tabs", "", 0, 0, tabsCommand, "print the tab titles, one a line"},
        {"current-tab", "", 0, 0, currentTabCommand, "print the selected tab's position"},
        {"shown-page", "", 0, 0, shownPageCommand, "print the position of the page on show"},
        {"pages", "", 0, 0, pagesCommand,
         "print each page: position, shown or hidden, control ids"},
        {"controls", "P", 1, 1, controlsCommand, "print the controls of page P (or main)"},
        {"gettext", "P ID", 2, 2, getTextCommand, "print the control's text, bytes as they are"},
        {"gettext-hex", "P ID", 2, 2, getTextHexCommand, "print the control's text in hex"},
        {"gettext-file", "P ID FILE", 3, 3, getTextFileCommand, "write the control's text to FILE"},
        {"checked", "P ID", 2, 2, checkedCommand, "print the check state: 0, 1 or 2"},
        {"enabled", "P ID", 2, 2, enabledCommand, "print 1 when the control is enabled, else 0"},
        {"visible", "P ID", 2, 2, visibleCommand, "print 1 when the control is visible, else 0"},
        {"form-state", "P", 1, 1, formStateCommand,
         "print each form table control of page P: enabled, checked or its text"},
        {"combo-items", "P ID", 2, 2, comboItemsCommand, "print the combo box's items, one a line"},
        {"combo-sel", "P ID", 2, 2, comboSelectionCommand,
         "print the selected item's index (-1: none)"},
        {"settext", "P ID TEXT", 3, 3, setTextCommand,
         "set the text with WM_SETTEXT (no filtering)"},
        {"settext-file", "P ID FILE", 3, 3, setTextFileCommand, "set the text to FILE's bytes"},
        {"type", "P ID TEXT", 3, 3, typeCommand,
         "type TEXT at the end of the box (posted WM_CHAR)"},
        {"key", "P ID KEY...", 3, 64, keyCommand,
         "post key presses (DOWN, UP, RETURN, TAB, F4, 65...)"},
        {"click", "P ID", 2, 2, clickCommand,
         "click the button and wait for its handler (BM_CLICK)"},
        {"click-post", "P ID", 2, 2, clickPostCommand,
         "post the click (for buttons that open dialogs)"},
        {"set-check", "P ID 0|1", 3, 3, setCheckCommand,
         "click the check box if its state differs"},
        {"combo-select", "P ID TEXT", 3, 3, comboSelectCommand,
         "choose the item TEXT as a user would"},
        {"focus", "P ID", 2, 2, focusCommand, "move the keyboard focus to the control"},
        {"wait-text", "P ID TEXT [S]", 3, 4, waitTextCommand,
         "wait until the control's text is TEXT"},
        {"wait-enabled", "P ID 0|1 [S]", 3, 4, waitEnabledCommand, "wait for the enabled state"},
    };
    return commands;
}

}  // namespace driver
