// clipboard_holder: keeps the clipboard open for a while, as a busy program might, so that the
// end-to-end tests can watch Quenby's copy fail.
//
//   clipboard_holder.exe MILLISECONDS
//
// Prints "holding" once the clipboard is open, closes it after MILLISECONDS and exits 0; exits 1
// when the clipboard cannot be opened.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const DWORD milliseconds = argc > 1 ? strtoul(argv[1], nullptr, 10) : 3000;
    if (!OpenClipboard(nullptr)) {
        fprintf(stderr, "clipboard_holder: cannot open the clipboard (error %lu)\n",
                GetLastError());
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    Sleep(milliseconds);
    CloseClipboard();
    return 0;
}
