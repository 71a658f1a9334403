#include "ui/page_controls.h"

#include "ui/main_dialog.h"

namespace ui {

HWND createPage(HWND mainWindow, int resource, DLGPROC procedure, const char* title) {
    HWND page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                   mainWindow, procedure, 0);
    if (page && !MainDialog::insertPageTab(mainWindow, title)) {
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
