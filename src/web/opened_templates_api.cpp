// The page's entry points for the templates the user opened: which names are the shipped
// templates', and removing an opened one.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <string>

#include "foundation/files.h"
#include "sheets/template_selector.h"
#include "web/opened_templates.h"

std::vector<std::string> userTemplates;

namespace {

std::string answer;

const char* give(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}

}  // namespace

extern "C" {

// The shipped templates' names, "<Default>" first, one a line.
EMSCRIPTEN_KEEPALIVE const char* quenbyShippedTemplates() {
    std::string lines;
    for (const std::string& entry : selectorEntries({}))
        lines += entry + "\n";
    return give(lines);
}

// Removes the opened template of that name: "" or why not. The shipped templates stay.
EMSCRIPTEN_KEEPALIVE const char* quenbyRemoveTemplate(const char* name) {
    const auto opened = std::find(userTemplates.begin(), userTemplates.end(), name);
    if (opened == userTemplates.end())
        return give(std::string(name) + " is not an opened template: only those can be removed.");
    removeFile((std::string(name) + ".ntf").c_str());
    userTemplates.erase(std::remove(userTemplates.begin(), userTemplates.end(), name),
                        userTemplates.end());
    return give("");
}
}
