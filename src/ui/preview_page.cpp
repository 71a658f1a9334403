#include "ui/preview_page.h"

#include <commdlg.h>

#include "catalogue/template_catalogue.h"
#include "engine/nfo_generator.h"
#include "foundation/errors.h"
#include "foundation/files.h"
#include "ui/main_dialog.h"
#include "ui/page_controls.h"
#include "ui/resource.h"

namespace ui {
namespace PreviewPage {
namespace {

const uint32_t textBufferSize = 4096;

struct PreviewPageState {
    HWND window;
    HFONT terminalFont;
};

PreviewPageState state;

void showError(const char* caption) {
    MessageBoxA(MainDialog::window(), orEmpty(LastError.message), caption, MB_ICONEXCLAMATION);
}

// Adds a loose template (an entry of templateNames) to the page's selector; the box keeps its
// entries sorted by itself.
void addTemplateName(List&, ListNode* node, void* page) {
    const char* name = static_cast<String*>(node->item)->chars();
    addItem(static_cast<HWND>(page), IDC_PREVIEW_TEMPLATE_LIST, name ? name : "");
}

void initialise(HWND page) {
    addItem(page, IDC_PREVIEW_TEMPLATE_LIST, defaultTemplateName);
    forEachNode(templateNames, addTemplateName, page);
    SendDlgItemMessageA(page, IDC_PREVIEW_TEXT_EDIT, WM_SETFONT,
                        reinterpret_cast<WPARAM>(state.terminalFont), FALSE);
    // Selecting this way raises no selection change: the default template stays loaded.
    SendDlgItemMessageA(page, IDC_PREVIEW_TEMPLATE_LIST, CB_SETCURSEL, 0, 0);
}

// A new choice in the selector: load it, and generate when it loaded. A name that could not be
// read for want of memory is null, which loadTemplate reports as OutOfMemory.
void loadSelectedTemplate(HWND page) {
    if (!loadTemplate(getWindowText(GetDlgItem(page, IDC_PREVIEW_TEMPLATE_LIST)))) {
        showError("Error loading template...");
        return;
    }
    MainDialog::generate();
}

// Puts nfoOutput on the clipboard as OEM text with its NUL; false with LastError set.
bool putOnClipboard() {
    const SIZE_T size = nfoOutput.length() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        setLastError(OutOfMemory);
        return false;
    }
    void* bytes = GlobalLock(block);
    if (!bytes) {
        setLastError(WindowsError);
        GlobalFree(block);
        return false;
    }
    CopyMemory(bytes, nfoOutput.chars(), size);
    GlobalUnlock(block);
    if (!OpenClipboard(MainDialog::window())) {
        setLastError(ClipboardFailure);
        GlobalFree(block);
        return false;
    }
    // Once the clipboard has taken the block it is the clipboard's; until then it is ours.
    if (!EmptyClipboard() || !SetClipboardData(CF_OEMTEXT, block)) {
        setLastError(ClipboardFailure);
        CloseClipboard();
        GlobalFree(block);
        return false;
    }
    CloseClipboard();
    return true;
}

void copyNfoToClipboard() {
    if (nfoOutput.isEmpty()) {
        return;
    }
    if (!putOnClipboard()) {
        showError("Failed to copy to clipboard...");
    }
}

// Asks for the file to write; false when the user cancels or the dialog fails.
bool askSavePath(char* path, DWORD size) {
    path[0] = '\0';
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = MainDialog::window();
    dialog.lpstrFilter = "NFO Files (*.nfo)\0*.nfo\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = size;
    dialog.lpstrTitle = "Save NFO file...";
    dialog.lpstrDefExt = "nfo";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   OFN_NOREADONLYRETURN;
    return GetSaveFileNameA(&dialog) != FALSE;
}

// The chosen file is replaced whole or not at all: a failed save leaves the old file as it was.
void saveNfoFile() {
    if (nfoOutput.isEmpty()) {
        return;
    }
    char path[textBufferSize];
    if (!askSavePath(path, sizeof path)) {
        return;
    }
    if (!writeFileAtomically(path, nfoOutput.chars(), nfoOutput.length())) {
        showError("Error...");
    }
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(page);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_PREVIEW_TEMPLATE_LIST:
                    if (HIWORD(wParam) == CBN_SELCHANGE) {
                        loadSelectedTemplate(page);
                    }
                    break;
                case IDC_PREVIEW_COPY_BUTTON:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        copyNfoToClipboard();
                    }
                    break;
                case IDC_PREVIEW_SAVE_BUTTON:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        saveNfoFile();
                    }
                    break;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC:
            // The read-only preview box is painted white, like an editable one.
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(page, IDC_PREVIEW_TEXT_EDIT)) {
                return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
            }
            return 0;
    }
    return FALSE;
}

}  // namespace

HWND create(HWND mainWindow) {
    state.terminalFont =
        CreateFontA(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Terminal");
    if (!state.terminalFont) {
        setLastError(CustomError, "Unable to use 'Terminal' font!");
        return nullptr;
    }
    state.window = createPage(mainWindow, IDD_PREVIEW_PAGE, pageProc, "Preview");
    return state.window;
}

void destroy() {
    if (state.terminalFont) {
        DeleteObject(state.terminalFont);
        state.terminalFont = nullptr;
    }
    destroyPage(state.window);
}

}  // namespace PreviewPage

void PreviewView::setPreviewText(const char* text) {
    SetDlgItemTextA(page, IDC_PREVIEW_TEXT_EDIT, text ? text : "");
}

void PreviewView::enableOutputCommands(bool enabled) {
    enable(page, IDC_PREVIEW_COPY_BUTTON, enabled);
    enable(page, IDC_PREVIEW_SAVE_BUTTON, enabled);
}

}  // namespace ui
