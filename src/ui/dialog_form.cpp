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

namespace {

// The NFO's code page, whatever the system's OEM code page is.
const UINT nfoCodePage = 437;

// ANSI text as CP437: through UTF-16, so that every character CP437 has keeps its form whatever
// the system's code pages are. A character CP437 lacks takes its nearest CP437 form by Windows'
// own best-fit table (Á becomes A), or else "?". Null when it cannot be converted.
String nfoCodePageText(const String& ansi) {
    const uint32_t length = ansi.length();
    if (length == 0)
        return ansi;
    if (length > 0x7FFFFFFF / sizeof(wchar_t))
        return String();  // beyond what the conversions take
    // An ANSI character is one or two bytes, so it never takes more UTF-16 units than bytes; a
    // UTF-16 unit becomes at most one CP437 byte.
    const uint32_t wideSize = length * sizeof(wchar_t);
    wchar_t* wide = static_cast<wchar_t*>(memAlloc(wideSize));
    char* oem = static_cast<char*>(memAlloc(length + 1));
    String text;
    if (wide != nullptr && oem != nullptr) {
        const int units = MultiByteToWideChar(CP_ACP, 0, ansi.chars(), static_cast<int>(length),
                                              wide, static_cast<int>(length));
        const int bytes = units == 0 ? 0
                                     : WideCharToMultiByte(nfoCodePage, 0, wide, units, oem,
                                                           static_cast<int>(length), "?", nullptr);
        if (bytes != 0) {
            oem[bytes] = '\0';
            text = oem;
        }
    }
    memFree(oem, length + 1);
    memFree(wide, wideSize);
    return text;
}

}  // namespace

// A missing control has no text: getWindowText gives it the zero-length String. A text that
// could not be read or converted (out of memory) stays null, and the generation says so.
// The boxes hold ANSI text, but the NFO, the Terminal font of the preview and the clipboard's
// OEM text are CP437, the code page of NFO files.
String DialogForm::text(FormPage page, uint32_t control) const {
    const String ansi = getWindowText(GetDlgItem(pageWindow(page), static_cast<int>(control)));
    if (ansi.chars() == nullptr)
        return ansi;
    return nfoCodePageText(ansi);
}

bool DialogForm::isChecked(FormPage page, uint32_t control) const {
    return ui::isChecked(pageWindow(page), static_cast<int>(control));
}

}  // namespace ui
