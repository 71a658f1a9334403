// quenby_form ids: the resource ids of the form pages, from the form table.
#include <cstdio>

#include "quenby_form.h"

namespace {

// "RegisteredToEdit" -> "REGISTERED_TO_EDIT".
std::string macroWords(const char* name) {
    std::string words;
    for (const char* c = name; *c != '\0'; ++c) {
        if (*c >= 'A' && *c <= 'Z' && c != name)
            words += '_';
        words += static_cast<char>(*c >= 'a' && *c <= 'z' ? *c - 'a' + 'A' : *c);
    }
    return words;
}

}  // namespace

std::string controlMacro(const FormControl& control) {
    return std::string("IDC_") + findFormPage(control.page)->macroName + "_" +
           macroWords(control.name);
}

std::string pageMacro(const FormPageInfo& page) {
    return "IDD_" + macroWords(page.name) + "_PAGE";
}

int printIds() {
    std::printf(
        "// Made by quenby_form from the form table (src/engine/form_table.h).\n#pragma once\n");
    for (const FormPageInfo& page : formTable::pages) {
        std::printf("\n#define %s %u\n", pageMacro(page).c_str(), page.page);
        for (const FormControl& control : formTable::controls) {
            if (control.page == page.page)
                std::printf("#define %s %u\n", controlMacro(control).c_str(), control.id);
        }
    }
    return 0;
}
