#include "ui/dialog_form.h"

#include "foundation/files.h"

namespace ui {

DialogForm::DialogForm(HWND generalPage, HWND uploadPage, HWND variousTextPage)
    : generalPage(generalPage), uploadPage(uploadPage), variousTextPage(variousTextPage) {}

HWND DialogForm::pageWindow(FormPage page) const {
    switch (page) {
        case FormPage::GeneralPage:
            return generalPage;
        case FormPage::UploadPage:
            return uploadPage;
        case FormPage::VariousTextPage:
            return variousTextPage;
    }
    return nullptr;
}

String DialogForm::text(FormPage page, uint32_t control) const {
    HWND window = GetDlgItem(pageWindow(page), static_cast<int>(control));
    if (!window) {
        return String("");
    }
    String text = getWindowText(window);
    if (!text.chars()) {
        text = "";
    }
    return text;
}

bool DialogForm::isChecked(FormPage page, uint32_t control) const {
    return IsDlgButtonChecked(pageWindow(page), static_cast<int>(control)) == BST_CHECKED;
}

}  // namespace ui
