// AboutPage: the "Quenby" tab on show at start-up: the banner, the credits, the version line and
// two links (web page and feedback address) drawn blue and underlined, with a hand pointer.
#pragma once

#include <windows.h>

namespace ui {
namespace AboutPage {

// Loads the hand pointer, creates the page under the main window and inserts its tab. Null on
// failure; "Couldn't load cursor resource!" is recorded when no hand pointer can be had.
HWND create(HWND mainWindow);
// Releases the link font and the hand pointer and destroys the page; a second call does nothing.
void destroy();

}  // namespace AboutPage
}  // namespace ui
