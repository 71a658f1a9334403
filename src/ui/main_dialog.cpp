#include "ui/main_dialog.h"

#include <commctrl.h>

#include "engine/nfo_generator.h"
#include "foundation/errors.h"
#include "ui/about_page.h"
#include "ui/dialog_form.h"
#include "ui/general_page.h"
#include "ui/preview_page.h"
#include "ui/resource.h"
#include "ui/upload_page.h"
#include "ui/various_text_page.h"

namespace ui {
namespace {

// The pages by tab position, left to right.
enum PageIndex : unsigned {
    AboutPageIndex = 0,
    GeneralPageIndex = 1,
    UploadPageIndex = 2,
    VariousTextPageIndex = 3,
    PreviewPageIndex = 4,
    pageSlots = 5,
};

struct MainDialogState {
    HWND window;
    HWND pages[pageSlots];
    unsigned pageCount;    // 0 until all five pages exist, then 5
    unsigned currentPage;  // the tab position of the page on show
};

MainDialogState state;

HWND tabControl() {
    return GetDlgItem(state.window, IDC_MAIN_TABS);
}

// Pages are created in the reverse of their tab order, each inserting its tab at position 0.
bool createPages(HWND mainWindow) {
    typedef HWND (*CreatePage)(HWND);
    static const struct {
        unsigned index;
        CreatePage create;
    } order[] = {
        {PreviewPageIndex, PreviewPage::create}, {VariousTextPageIndex, VariousTextPage::create},
        {UploadPageIndex, UploadPage::create},   {GeneralPageIndex, GeneralPage::create},
        {AboutPageIndex, AboutPage::create},
    };
    for (const auto& step : order) {
        state.pages[step.index] = step.create(mainWindow);
        if (!state.pages[step.index]) {
            return false;
        }
    }
    return true;
}

// Tears the pages down in tab order; a second call does nothing.
void destroyPages() {
    AboutPage::destroy();
    GeneralPage::destroy();
    UploadPage::destroy();
    VariousTextPage::destroy();
    PreviewPage::destroy();
    for (HWND& page : state.pages) {
        page = nullptr;
    }
    state.pageCount = 0;
}

// Puts every page over the tab control's display area, below the row of tabs, hidden.
void placePages() {
    HWND tabs = tabControl();
    RECT tabRect, dialogRect, itemRect;
    GetWindowRect(tabs, &tabRect);
    GetWindowRect(state.window, &dialogRect);
    SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&itemRect));
    const int x = tabRect.left - dialogRect.left - 1;
    const int y = tabRect.top - dialogRect.top;
    const int width = (tabRect.right - tabRect.left) - 4;
    const int height = (tabRect.bottom - tabRect.top) - itemRect.bottom - 4;
    for (HWND page : state.pages) {
        SetWindowPos(page, HWND_TOP, x, y, width, height, SWP_HIDEWINDOW | SWP_NOACTIVATE);
    }
}

bool initialise(HWND window) {
    state.window = window;
    if (!tabControl()) {
        return false;
    }
    SetWindowTextA(window, QUENBY_VERSION_LINE);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUENBY));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (!createPages(window)) {
        return false;
    }
    state.pageCount = pageSlots;
    placePages();
    // Selecting the tab this way raises no selection change: nothing is generated at start-up.
    ShowWindow(state.pages[AboutPageIndex], SW_SHOW);
    SetFocus(state.pages[AboutPageIndex]);
    SendMessageA(tabControl(), TCM_SETCURSEL, 0, 0);
    return true;
}

void switchPage() {
    const LRESULT selected = SendMessageA(tabControl(), TCM_GETCURSEL, 0, 0);
    if (selected < 0 || selected >= static_cast<LRESULT>(state.pageCount)) {
        return;
    }
    ShowWindow(state.pages[state.currentPage], SW_HIDE);
    state.currentPage = static_cast<unsigned>(selected);
    ShowWindow(state.pages[state.currentPage], SW_SHOW);
    SetFocus(state.pages[state.currentPage]);
    if (state.currentPage == PreviewPageIndex) {
        MainDialog::generate();
    }
}

// The main window handles no commands: Escape and Enter do not close it.
INT_PTR CALLBACK mainDialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (!initialise(window)) {
                destroyPages();
                EndDialog(window, 0);
            }
            return TRUE;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
                switchPage();
            }
            return FALSE;
        case WM_DESTROY:
            destroyPages();
            return FALSE;
        case WM_CLOSE:
            EndDialog(window, 1);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

namespace MainDialog {

INT_PTR run() {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                           mainDialogProc, 0);
}

HWND window() {
    return state.window;
}

void generate() {
    DialogForm form(state.pages[GeneralPageIndex], state.pages[UploadPageIndex],
                    state.pages[VariousTextPageIndex]);
    PreviewView view(state.pages[PreviewPageIndex]);
    generateNfo(form, view);
}

}  // namespace MainDialog
}  // namespace ui
