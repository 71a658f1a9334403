// clipboard_holder.exe MILLISECONDS: keeps the clipboard open that long, as a busy program might,
// so that Quenby's copy fails. Prints "holding" once it has the clipboard; exits 1 without it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!OpenClipboard(nullptr)) {
        fprintf(stderr, "clipboard_holder: cannot open the clipboard (error %lu)\n",
                GetLastError());
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    Sleep(argc > 1 ? strtoul(argv[1], nullptr, 10) : 3000);
    CloseClipboard();
    return 0;
}
