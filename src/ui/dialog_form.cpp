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

bool isControlByte(char byte) {
    const unsigned char value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
}

// Puts "?" for every character beyond the BMP (a surrogate pair, or a surrogate alone), which
// CP437 lacks, so that each remaining UTF-16 unit becomes exactly one CP437 byte. Returns the
// new number of units.
int oneUnitPerCharacter(wchar_t* wide, int units) {
    int kept = 0;
    for (int i = 0; i < units; ++i) {
        const wchar_t unit = wide[i];
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            if (unit <= 0xDBFF && i + 1 < units && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF)
                ++i;  // the pair's second half
            wide[kept++] = L'?';
        } else {
            wide[kept++] = unit;
        }
    }
    return kept;
}

// ANSI text as CP437: through UTF-16, so that every character CP437 has keeps its form whatever
// the system's code pages are. A character CP437 lacks takes its nearest CP437 form by Windows'
// own best-fit table (Á becomes A), or else "?". A character whose only CP437 form is a control
// byte (§ ¶ • and the pictographs of 0x01-0x1F and 0x7F, which best fit would give) becomes "?"
// too: the NFO holds a control byte only where the text holds that control character itself
// (TAB, the CR LF of a line break). Null when it cannot be converted.
String nfoCodePageText(const String& ansi) {
    const uint32_t length = ansi.length();
    if (length == 0)
        return ansi;
    if (length > 0x7FFFFFFF / sizeof(wchar_t))
        return String();  // beyond what the conversions take
    // An ANSI character is one or two bytes, so it never takes more UTF-16 units than bytes; a
    // UTF-16 unit becomes one CP437 byte.
    const uint32_t wideSize = length * sizeof(wchar_t);
    wchar_t* wide = static_cast<wchar_t*>(memAlloc(wideSize));
    char* oem = static_cast<char*>(memAlloc(length + 1));
    String text;
    if (wide != nullptr && oem != nullptr) {
        const int units = oneUnitPerCharacter(
            wide, MultiByteToWideChar(CP_ACP, 0, ansi.chars(), static_cast<int>(length), wide,
                                      static_cast<int>(length)));
        const int bytes = units == 0 ? 0
                                     : WideCharToMultiByte(nfoCodePage, 0, wide, units, oem,
                                                           static_cast<int>(length), "?", nullptr);
        if (bytes != 0) {
            for (int i = 0; i < bytes && i < units; ++i) {
                if (isControlByte(oem[i]) && wide[i] != static_cast<unsigned char>(oem[i]))
                    oem[i] = '?';
            }
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
