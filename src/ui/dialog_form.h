// DialogForm: the ReleaseForm of the Windows program, read straight from the controls of the three
// form pages. A control is found by (page, id) on that page's window.
#pragma once

#include <windows.h>

#include "engine/release_form.h"

namespace ui {

class DialogForm : public ReleaseForm {
public:
    DialogForm(HWND generalPage, HWND uploadPage, HWND variousTextPage);

    // The control's window text in CP437, the code page of NFO files; zero-length for an empty or
    // missing control, null when it could not be read (out of memory).
    String text(FormPage page, uint32_t control) const override;
    // True when the page's button is checked; false for a missing page or control.
    bool isChecked(FormPage page, uint32_t control) const override;

private:
    HWND pageWindow(FormPage page) const;

    HWND generalPage;
    HWND uploadPage;
    HWND variousTextPage;
};

}  // namespace ui
