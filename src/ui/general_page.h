// GeneralPage: the "General / Software" tab: title, uploader, software name, sizes and how the
// protection was dealt with.
#pragma once

#include <windows.h>

namespace ui {
namespace GeneralPage {

// Creates the page as a child of the main window and inserts its tab; null on failure.
HWND create(HWND mainWindow);
// Destroys the page window if it exists, and forgets it.
void destroy();

}  // namespace GeneralPage
}  // namespace ui
