#include "ui/about_page.h"

#include "foundation/errors.h"
#include "foundation/files.h"
#include "ui/main_dialog.h"
#include "ui/page_controls.h"
#include "ui/resource.h"

namespace ui {
namespace AboutPage {
namespace {

const char* const webLink = QUENBY_WEB_ADDRESS;
const char* const mailLink = "mailto:" QUENBY_FEEDBACK_ADDRESS "?subject=Quenby feedback...";
const COLORREF linkColour = RGB(0, 0, 255);

struct AboutPageState {
    HWND window;
    HCURSOR handCursor;
    HFONT linkFont;  // made from the page's font on the first drawing of a link
};

AboutPageState state;

bool isLink(HWND control) {
    return control && (control == GetDlgItem(state.window, IDC_ABOUT_WEB_LINK) ||
                       control == GetDlgItem(state.window, IDC_ABOUT_MAIL_LINK));
}

// The system's hand when it has one, else the program's own pointer.
HCURSOR loadHandCursor() {
    HCURSOR cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
    if (!cursor) {
        cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_POINTER));
    }
    return cursor;
}

// Underlined blue text on the page's own background. The link font is the labels' own font
// underlined; it is also given to both labels, for static controls that select their font only
// after asking for their colours.
INT_PTR styleLink(HWND control, HDC dc) {
    if (!state.linkFont) {
        HGDIOBJ base = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
        if (!base) {
            base = GetCurrentObject(dc, OBJ_FONT);
        }
        LOGFONTA font;
        if (GetObjectA(base, sizeof font, &font) == sizeof font) {
            font.lfUnderline = TRUE;
            state.linkFont = CreateFontIndirectA(&font);
        }
        if (state.linkFont) {
            const WPARAM linkFont = reinterpret_cast<WPARAM>(state.linkFont);
            SendDlgItemMessageA(state.window, IDC_ABOUT_WEB_LINK, WM_SETFONT, linkFont, FALSE);
            SendDlgItemMessageA(state.window, IDC_ABOUT_MAIL_LINK, WM_SETFONT, linkFont, FALSE);
        }
    }
    if (state.linkFont) {
        SelectObject(dc, state.linkFont);
    }
    SetTextColor(dc, linkColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

// The static class's own cursor would come back over the label: it is cleared first.
BOOL showHandCursor(HWND page, HWND control) {
    SetClassLongPtrA(control, GCLP_HCURSOR, 0);
    SetCursor(state.handCursor);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

void openClickedLink(int control) {
    openLink(control == IDC_ABOUT_WEB_LINK ? webLink : mailLink, MainDialog::window());
}

INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            state.window = page;
            SetDlgItemTextA(page, IDC_ABOUT_VERSION_LABEL, QUENBY_VERSION_LINE);
            return TRUE;
        case WM_SETCURSOR:
            if (isLink(reinterpret_cast<HWND>(wParam))) {
                return showHandCursor(page, reinterpret_cast<HWND>(wParam));
            }
            return FALSE;
        case WM_COMMAND: {
            const int control = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if ((control == IDC_ABOUT_WEB_LINK || control == IDC_ABOUT_MAIL_LINK) &&
                (code == STN_CLICKED || code == STN_DBLCLK)) {
                openClickedLink(control);
            }
            return FALSE;
        }
        case WM_CTLCOLORSTATIC:
            if (isLink(reinterpret_cast<HWND>(lParam))) {
                return styleLink(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            }
            return 0;
    }
    return FALSE;
}

}  // namespace

HWND create(HWND mainWindow) {
    state.handCursor = loadHandCursor();
    if (!state.handCursor) {
        setLastError(CustomError, "Couldn't load cursor resource!");
        return nullptr;
    }
    state.window = createPage(mainWindow, IDD_ABOUT_PAGE, pageProc, "Quenby");
    return state.window;
}

void destroy() {
    if (state.linkFont) {
        DeleteObject(state.linkFont);
        state.linkFont = nullptr;
    }
    if (state.handCursor) {
        DestroyCursor(state.handCursor);
        state.handCursor = nullptr;
    }
    destroyPage(state.window);
}

}  // namespace AboutPage
}  // namespace ui
