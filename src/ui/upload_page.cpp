#include "ui/upload_page.h"

#include "ui/page_controls.h"
#include "ui/resource.h"

namespace ui {
namespace UploadPage {
namespace {

HWND pageWindow;

// Added in this order; the box sorts them itself.
const char* const uploadedAsChoices[] = {
    ".ACE File(s)", ".RAR File(s)", ".ZIP File(s)", "CD Image (ISO)", "CD Image (BIN/CUE)",
};

const char* const repostChoices[] = {
    "There will be no full repost!",
    "In 3 day's time...",
    "In 4 day's time...",
    "In 5 day's time...",
    "In 6 day's time...",
    "In a week's time...",
    "In 8 day's time...",
    "In 9 day's time...",
    "In 10 day's time...",
    "In 11 day's time...",
    "In 12 day's time...",
    "In 13 day's time...",
    "In 2 week's time...",
};

void refreshEnabledControls(HWND page) {
    const bool files = isChecked(page, IDC_UPLOAD_FILES_CHECK);
    const bool presets = isChecked(page, IDC_UPLOAD_PRESETS_RADIO);
    enable(page, IDC_UPLOAD_POST_NUMBER_EDIT, isChecked(page, IDC_UPLOAD_POST_NUMBER_CHECK));
    enable(page, IDC_UPLOAD_FILES_EDIT, files);
    enable(page, IDC_UPLOAD_PER_DAY_CHECK, files);
    enable(page, IDC_UPLOAD_PER_DAY_EDIT, files && isChecked(page, IDC_UPLOAD_PER_DAY_CHECK));
    enable(page, IDC_UPLOAD_SFV_CHECK, presets);
    enable(page, IDC_UPLOAD_CUE_CHECK, presets);
    enable(page, IDC_UPLOAD_MANUAL_CHECK, presets);
    enable(page, IDC_UPLOAD_CUSTOM_SUPPORT_EDIT, isChecked(page, IDC_UPLOAD_CUSTOM_TEXT_RADIO));
}

void initialise(HWND page) {
    for (const char* choice : uploadedAsChoices) {
        addItem(page, IDC_UPLOAD_UPLOADED_AS_COMBO, choice);
    }
    for (const char* choice : repostChoices) {
        addItem(page, IDC_UPLOAD_REPOST_COMBO, choice);
    }
    CheckDlgButton(page, IDC_UPLOAD_POST_NUMBER_CHECK, BST_CHECKED);
    SetDlgItemTextA(page, IDC_UPLOAD_POST_NUMBER_EDIT, "1");
    CheckDlgButton(page, IDC_UPLOAD_PRESETS_RADIO, BST_CHECKED);
    SendDlgItemMessageA(page, IDC_UPLOAD_REPOST_COMBO, CB_SETCURSEL, 0, 0);
    refreshEnabledControls(page);
}

}  // namespace

HWND create(HWND mainWindow) {
    pageWindow = createPage(mainWindow, IDD_UPLOAD_PAGE,
                            formPageProc<initialise, refreshEnabledControls>, "Upload");
    return pageWindow;
}

void destroy() {
    destroyPage(pageWindow);
}

}  // namespace UploadPage
}  // namespace ui
