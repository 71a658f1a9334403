#include "ui/general_page.h"

#include "ui/page_controls.h"
#include "ui/resource.h"

namespace ui {
namespace GeneralPage {
namespace {

HWND pageWindow;

// Every dependent control is set afresh from the check marks, changed or not.
void refreshEnabledControls(HWND page) {
    const bool serial = isChecked(page, IDC_GENERAL_SERIAL_CHECK);
    const bool cracked = isChecked(page, IDC_GENERAL_CRACKED_BY_CHECK);
    enable(page, IDC_GENERAL_UNPACKED_EDIT, isChecked(page, IDC_GENERAL_UNPACKED_CHECK));
    enable(page, IDC_GENERAL_SERIAL_EDIT, serial);
    enable(page, IDC_GENERAL_REGISTERED_TO_CHECK, serial);
    enable(page, IDC_GENERAL_REGISTERED_TO_EDIT,
           serial && isChecked(page, IDC_GENERAL_REGISTERED_TO_CHECK));
    enable(page, IDC_GENERAL_CRACKED_BY_EDIT, cracked);
    enable(page, IDC_GENERAL_ALREADY_CRACKED_RADIO, cracked);
    enable(page, IDC_GENERAL_CRACK_INCLUDED_RADIO, cracked);
    enable(page, IDC_GENERAL_KEYGEN_BY_EDIT, isChecked(page, IDC_GENERAL_KEYGEN_BY_CHECK));
}

void initialise(HWND page) {
    addItem(page, IDC_GENERAL_UNIT_LIST, "Kb");
    addItem(page, IDC_GENERAL_UNIT_LIST, "Mb");
    SendDlgItemMessageA(page, IDC_GENERAL_UNIT_LIST, CB_SETCURSEL, 0, 0);
    CheckDlgButton(page, IDC_GENERAL_ALREADY_CRACKED_RADIO, BST_CHECKED);
    refreshEnabledControls(page);
}

}  // namespace

HWND create(HWND mainWindow) {
    pageWindow = createPage(mainWindow, IDD_GENERAL_PAGE,
                            formPageProc<initialise, refreshEnabledControls>, "General / Software");
    return pageWindow;
}

void destroy() {
    destroyPage(pageWindow);
}

}  // namespace GeneralPage
}  // namespace ui
