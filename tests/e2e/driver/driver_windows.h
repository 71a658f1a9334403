// Finding and talking to the windows of the program under test from another process: the
// main window, its pages and controls, message boxes and the save dialog. Every message is sent
// with a timeout, and every lookup of something that may still be appearing polls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/form_table.h"

namespace driver {

// Sends with SendMessageTimeout (SMTO_ABORTIFHUNG); fails if the window does not answer.
LRESULT sendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT sendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// As sendMessage, but reports a window that does not answer (or is gone) as false.
bool trySendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
void postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window's text, read with WM_GETTEXT: bytes 0x80-0xFF arrive as they are.
std::string windowText(HWND window);
// A top-level window's caption, read without sending it a message.
std::string windowTitle(HWND window);
std::string className(HWND window);
std::vector<HWND> topLevelWindows();
// The direct children of a window, from the top of the Z order down.
std::vector<HWND> childWindows(HWND parent);
HWND findDescendant(HWND parent, int id);
// The text control of a message box; null if it has none.
HWND messageText(HWND box);
// The file name box of a file dialog: the combo box 0x47C, else the edit box 0x480; null if
// it has neither.
HWND fileNameBox(HWND dialog);

enum class WindowKind {
    Any,         // any top-level window
    Main,        // a dialog holding the tab control 1000
    MessageBox,  // a dialog with the message text control 0xFFFF
    FileDialog,  // a dialog with the file name box 0x47C (or 0x480)
};
// A visible top-level window of that kind, with that title unless `title` is null.
HWND findWindow(WindowKind kind, const std::string* title);
// As findWindow, polling for up to `seconds`; fails with kExitNotFound.
HWND waitWindow(WindowKind kind, const std::string* title, double seconds);
const char* kindName(WindowKind kind);

// The main window (caption settings().mainTitle), waited for; remembers its process.
HWND mainWindow();
HWND tabControl(HWND main);
// The pages: the main window's child dialogs, indexed by tab position.
std::vector<HWND> pages(HWND main);
// A control addressed by page and id: `pageWord` is a tab position or "main", `idWord` a control
// id or the control's name: the form table's on the form pages, TextEdit, CopyButton, SaveButton,
// TemplateList on the Preview page, VersionLabel, WebLink, MailLink on the About page, Tabs on
// main.
HWND control(const std::string& pageWord, const std::string& idWord);
// The id that idWord names on the page (see control).
int controlId(const std::string& pageWord, const std::string& idWord);
// The form page at tab position pageWord, or null.
const FormPageInfo* formPageAt(const std::string& pageWord);

// Returns once the program has handled every message posted to it so far: posts a marker
// (DM_SETDEFID) to a page without push buttons (the main window if every page has some), waits
// until that dialog reports it, then restores it.
void sync();

// The process that owns the program's windows: remembered from the first window found, or
// started by the driver; null when neither happened.
void rememberProcess(HWND window);
void setProcess(HANDLE process);
HANDLE targetProcess();

// Tab titles and item rectangles live in the program's memory: read through a buffer there.
std::vector<std::string> tabTitles(HWND tab);
RECT tabItemRect(HWND tab, int index);

}  // namespace driver
