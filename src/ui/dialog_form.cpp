#include "ui/dialog_form.h"

#include "foundation/files.h"
#include "foundation/memory.h"
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

// A missing control has no text: getWindowText gives it the zero-length String. A text that
// could not be read or converted (out of memory) stays null, and the generation says so.
// The boxes hold ANSI text, but the NFO, the Terminal font of the preview and the clipboard's
// OEM text are in the OEM code page: each text is converted, so a letter that has an OEM form
// keeps it (ASCII is the same in both).
String DialogForm::text(FormPage page, uint32_t control) const {
    const String ansi = getWindowText(GetDlgItem(pageWindow(page), static_cast<int>(control)));
    if (ansi.chars() == nullptr)
        return ansi;
    const uint32_t length = ansi.length();
    char* oem = static_cast<char*>(memAlloc(length + 1));
    if (oem == nullptr)
        return String();
    CharToOemBuffA(ansi.chars(), oem, length);
    oem[length] = '\0';
    String text(oem);
    memFree(oem, length + 1);
    return text;
}

bool DialogForm::isChecked(FormPage page, uint32_t control) const {
    return ui::isChecked(pageWindow(page), static_cast<int>(control));
}

}  // namespace ui
