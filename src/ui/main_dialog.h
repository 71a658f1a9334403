// MainDialog: the one top-level window, a tab control over five pages. It creates, places, switches
// and destroys the pages, and starts a generation whenever the Preview page comes to the front.
#pragma once

#include <windows.h>

namespace ui {
namespace MainDialog {

// Runs the main window modally until the user closes it: 1 after a normal close, 0 when its
// initialisation failed, -1 when it could not be created.
INT_PTR run();

// The main window, owner of every box, dialog and clipboard use after start-up; null before.
HWND window();

// Merges the current template with the three form pages into the Preview page.
void generate();

}  // namespace MainDialog
}  // namespace ui
