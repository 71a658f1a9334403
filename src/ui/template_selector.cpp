#include "ui/template_selector.h"

#include "catalogue/template_catalogue.h"

namespace {

void addName(List&, ListNode* node, void* combo) {
    const char* name = static_cast<String*>(node->item)->chars();
    SendMessageA(static_cast<HWND>(combo), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(name ? name : ""));
}

}  // namespace

void fillTemplateSelector(HWND combo) {
    forEachNode(templateNames, addName, combo);
}
