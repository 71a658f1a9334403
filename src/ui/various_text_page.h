// VariousTextPage: the "Various Text" tab: installation notes, comments and thanks, each switched
// on by its own "On" box.
#pragma once

#include <windows.h>

namespace ui {
namespace VariousTextPage {

// Creates the page as a child of the main window and inserts its tab; null on failure.
HWND create(HWND mainWindow);
// Destroys the page window if it exists, and forgets it.
void destroy();

}  // namespace VariousTextPage
}  // namespace ui
