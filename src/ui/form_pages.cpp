// The three form pages, General / Software, Upload and Various Text, made from the form table:
// each starts as the table says and enables its controls by the table's check boxes. A page keeps
// its input in its controls alone.
#include "engine/form_table.h"
#include "ui/general_page.h"
#include "ui/page_controls.h"
#include "ui/upload_page.h"
#include "ui/various_text_page.h"

namespace ui {
namespace {

const size_t pageCount = sizeof formTable::pages / sizeof formTable::pages[0];
HWND pageWindows[pageCount];

size_t placeOf(FormPage page) {
    size_t place = 0;
    while (place + 1 < pageCount && formTable::pages[place].page != page)
        ++place;
    return place;
}

// Every dependent control is set afresh from the check marks, changed or not.
void refreshEnabledControls(HWND window, FormPage page) {
    for (const FormControl& control : formTable::controls) {
        if (control.page != page || control.enabledBy[0] == 0)
            continue;
        const bool enabled = isEnabled(
            control, [window](uint32_t box) { return isChecked(window, static_cast<int>(box)); });
        enable(window, static_cast<int>(control.id), enabled);
    }
}

// Fills the fixed lists, sets the starting texts, choices and check marks, then the enabled states.
void initialise(HWND window, FormPage page) {
    for (const FormControl& control : formTable::controls) {
        if (control.page != page)
            continue;
        const int id = static_cast<int>(control.id);
        for (const char* const* item = control.choices; item != nullptr && *item != nullptr; ++item)
            addItem(window, id, *item);
        if (control.text != nullptr && control.choices != nullptr) {
            LRESULT entry =
                SendDlgItemMessageA(window, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(control.text));
            SendDlgItemMessageA(window, id, CB_SETCURSEL, entry, 0);
        } else if (control.text != nullptr) {
            SetDlgItemTextA(window, id, control.text);
        }
        if (control.checked)
            CheckDlgButton(window, id, BST_CHECKED);
    }
    refreshEnabledControls(window, page);
}

// It initialises the page when the dialog is created and recomputes the enabled states after
// every button click.
template <FormPage page>
INT_PTR CALLBACK formPageProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            initialise(window, page);
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED)
                refreshEnabledControls(window, page);
            return FALSE;
    }
    return FALSE;
}

template <FormPage page>
HWND createFormPage(HWND mainWindow) {
    HWND& window = pageWindows[placeOf(page)];
    window = createPage(mainWindow, static_cast<int>(page), formPageProc<page>,
                        findFormPage(page)->title);
    return window;
}

template <FormPage page>
void destroyFormPage() {
    destroyPage(pageWindows[placeOf(page)]);
}

}  // namespace

HWND GeneralPage::create(HWND mainWindow) {
    return createFormPage<FormPage::GeneralPage>(mainWindow);
}

void GeneralPage::destroy() {
    destroyFormPage<FormPage::GeneralPage>();
}

HWND UploadPage::create(HWND mainWindow) {
    return createFormPage<FormPage::UploadPage>(mainWindow);
}

void UploadPage::destroy() {
    destroyFormPage<FormPage::UploadPage>();
}

HWND VariousTextPage::create(HWND mainWindow) {
    return createFormPage<FormPage::VariousTextPage>(mainWindow);
}

void VariousTextPage::destroy() {
    destroyFormPage<FormPage::VariousTextPage>();
}

}  // namespace ui
