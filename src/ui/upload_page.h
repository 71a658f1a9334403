// UploadPage: the "Upload" tab: what the release was uploaded as, the post information, the support
// files posted, the newsgroups and the repost plan.
#pragma once

#include <windows.h>

namespace ui {
namespace UploadPage {

// Creates the page as a child of the main window and inserts its tab; null on failure.
HWND create(HWND mainWindow);
// Destroys the page window if it exists, and forgets it.
void destroy();

}  // namespace UploadPage
}  // namespace ui
