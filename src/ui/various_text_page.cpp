#include "ui/various_text_page.h"

#include "ui/page_controls.h"
#include "ui/resource.h"

namespace ui {
namespace VariousTextPage {
namespace {

HWND pageWindow;

void refreshEnabledControls(HWND page) {
    enable(page, IDC_VARIOUS_INSTALL_EDIT, isChecked(page, IDC_VARIOUS_INSTALL_CHECK));
    enable(page, IDC_VARIOUS_COMMENTS_EDIT, isChecked(page, IDC_VARIOUS_COMMENTS_CHECK));
    enable(page, IDC_VARIOUS_THANKS_EDIT, isChecked(page, IDC_VARIOUS_THANKS_CHECK));
}

}  // namespace

HWND create(HWND mainWindow) {
    pageWindow =
        createPage(mainWindow, IDD_VARIOUS_TEXT_PAGE,
                   formPageProc<refreshEnabledControls, refreshEnabledControls>, "Various Text");
    return pageWindow;
}

void destroy() {
    destroyPage(pageWindow);
}

}  // namespace VariousTextPage
}  // namespace ui
