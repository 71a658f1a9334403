#include "ui/page_controls.h"

#include <commctrl.h>

#include "ui/resource.h"

namespace ui {
namespace {

// Inserts a tab carrying only its title at position 0 of the main window's tab control.
bool insertPageTab(HWND mainWindow, const char* title) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(title);
    return SendMessageA(GetDlgItem(mainWindow, IDC_MAIN_TABS), TCM_INSERTITEMA, 0,
                        reinterpret_cast<LPARAM>(&item)) != -1;
}

}  // namespace

HWND createPage(HWND mainWindow, int resource, DLGPROC procedure, const char* title) {
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                   mainWindow, procedure, 0);
    if (page && !insertPageTab(mainWindow, title)) {
        DestroyWindow(page);
        page = nullptr;
    }
    return page;
}

void destroyPage(HWND& page) {
    if (page) {
        DestroyWindow(page);
        page = nullptr;
    }
}

bool isChecked(HWND page, int control) {
    return SendDlgItemMessageA(page, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void enable(HWND page, int control, bool enabled) {
    EnableWindow(GetDlgItem(page, control), enabled ? TRUE : FALSE);
}

void addItem(HWND page, int control, const char* text) {
    SendDlgItemMessageA(page, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace ui
