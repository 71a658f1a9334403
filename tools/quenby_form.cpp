// quenby_form: the build's view of the form table.
//   quenby_form ids          the resource ids of the form pages, as #defines for quenby.rc
//   quenby_form json RC      the form as JSON, with the labels and captions of quenby.rc
//   quenby_form state [SHEET]  each control of the untouched form, or of the form filled from
//                            the release sheet (- for standard input): as the test driver's
//                            form-state prints the dialogs
#include "quenby_form.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "ids" && argc == 2)
        return printIds();
    if (command == "json" && argc == 3)
        return printJson(argv[2]);
    if (command == "state" && argc <= 3)
        return printState(argc == 3 ? argv[2] : nullptr);
    std::fprintf(
        stderr,
        "usage: quenby_form ids | quenby_form json QUENBY.rc | quenby_form state [SHEET]\n");
    return 1;
}
