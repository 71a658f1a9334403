// Small helpers shared by the pages: creating a page with its tab, and the control calls the
// form pages repeat.
#pragma once

#include <windows.h>

namespace ui {

// Creates the page's child dialog from its resource under the main window and inserts its tab at
// position 0. Null (and no page) when either fails; nothing is recorded.
HWND createPage(HWND mainWindow, int resource, DLGPROC procedure, const char* title);
// Destroys the page window if there is one, and forgets it.
void destroyPage(HWND& page);

bool isChecked(HWND page, int control);
void enable(HWND page, int control, bool enabled);
// Appends (or, in a sorted box, inserts) an entry of a combo box.
void addItem(HWND page, int control, const char* text);

}  // namespace ui
