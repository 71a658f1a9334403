#include "ui/dialog_form.h"

#include "foundation/files.h"
#include "ui/page_controls.h"

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

// A missing control has no text: getWindowText gives it the zero-length String.
String DialogForm::text(FormPage page, uint32_t control) const {
    String text = getWindowText(GetDlgItem(pageWindow(page), static_cast<int>(control)));
    if (!text.chars()) {
        text = "";
    }
    return text;
}

bool DialogForm::isChecked(FormPage page, uint32_t control) const {
    return ui::isChecked(pageWindow(page), static_cast<int>(control));
}

}  // namespace ui
