// The entry sequence of Quenby.exe: framework, common controls and template catalogue up, the main
// window run until the user closes it, then everything down again.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "catalogue/template_catalogue.h"
#include "foundation/errors.h"
#include "foundation/framework.h"
#include "ui/main_dialog.h"
#include "ui/resource.h"

namespace {

const int failedStartupExitCode = -1;

bool initialiseCommonControls() {
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                     ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_HOTKEY_CLASS |
                     ICC_ANIMATE_CLASS;
    return InitCommonControlsEx(&controls) != FALSE;
}

// Start-up failed: one box with LastError's message (when there is one), then down again.
int failStartup() {
    if (!LastError.message.isEmpty()) {
        String text = String("Fatal Error:\n") + LastError.message;
        MessageBoxA(nullptr, text.chars() ? text.chars() : "Fatal Error:\n", QUENBY_VERSION_LINE,
                    MB_ICONEXCLAMATION);
    }
    releaseCatalogue();
    frameworkShutdown();
    return failedStartupExitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (!frameworkStartup(0)) {
        return failStartup();
    }
    if (!initialiseCommonControls()) {
        setLastError(CommonControlFailure);
        return failStartup();
    }
    if (!buildCatalogue()) {
        return failStartup();
    }
    const INT_PTR result = ui::MainDialog::run();
    if (result == 0 || result == -1) {
        setLastError(CreateDialogFailed);
        return failStartup();
    }
    releaseCatalogue();
    frameworkShutdown();
    return 0;
}
