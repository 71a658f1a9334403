// PreviewPage: the "Preview" tab: the generated NFO in the Terminal font, the template selector,
// and the two output commands, "Save NFO File" and "Copy to Clipboard".
#pragma once

#include <windows.h>

#include "engine/nfo_view.h"

namespace ui {
namespace PreviewPage {

// Creates the Terminal font and the page under the main window, and inserts its tab. Null on
// failure; "Unable to use 'Terminal' font!" is recorded when the font cannot be made.
HWND create(HWND mainWindow);
// Releases the Terminal font and destroys the page; a second call does nothing.
void destroy();

}  // namespace PreviewPage

// The NfoView of the Windows program: the Preview page's box and its two buttons.
class PreviewView : public NfoView {
public:
    explicit PreviewView(HWND page) : page(page) {}
    void setPreviewText(const char* text) override;
    void enableOutputCommands(bool enabled) override;

private:
    HWND page;
};

}  // namespace ui
