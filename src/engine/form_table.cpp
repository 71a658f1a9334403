#include "engine/form_table.h"

const FormControl* findFormControl(FormPage page, uint32_t id) {
    for (const FormControl& control : formTable::controls) {
        if (control.page == page && control.id == id)
            return &control;
    }
    return nullptr;
}

const FormControl* findFormControl(FormPage page, const char* name) {
    for (const FormControl& control : formTable::controls) {
        const char* a = control.name;
        const char* b = name;
        while (*a != '\0' && *a == *b) {
            ++a;
            ++b;
        }
        if (control.page == page && *a == *b)
            return &control;
    }
    return nullptr;
}

const FormPageInfo* findFormPage(FormPage page) {
    for (const FormPageInfo& info : formTable::pages) {
        if (info.page == page)
            return &info;
    }
    return nullptr;
}
