// MainDialog: the one top-level window, a tab control over five pages. It creates, places, switches
// and destroys the pages, and starts a generation whenever the Preview page comes to the front.
#pragma once

#include <windows.h>

namespace ui {

// The pages by tab position, left to right.
enum PageIndex : unsigned {
    AboutPageIndex = 0,
    GeneralPageIndex = 1,
    UploadPageIndex = 2,
    VariousTextPageIndex = 3,
    PreviewPageIndex = 4,
    pageSlots = 5,
};

namespace MainDialog {

// Runs the main window modally until the user closes it: 1 after a normal close, 0 when its
// initialisation failed, -1 when it could not be created.
INT_PTR run();

// The main window, owner of every box, dialog and clipboard use after start-up; null before.
HWND window();

// The page window at a tab position, or null while that page does not exist.
HWND page(unsigned index);

// Inserts a tab carrying only its title at position 0 of the main window's tab control.
bool insertPageTab(HWND mainWindow, const char* title);

// Merges the current template with the three form pages into the Preview page.
void generate();

}  // namespace MainDialog
}  // namespace ui
