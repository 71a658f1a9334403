#include "sheets/template_selector.h"

#include <algorithm>

#include "catalogue/template_catalogue.h"
#include "foundation/errors.h"
#include "sheets/sheet_text.h"

bool loadDefaultTemplate(const std::string& archive) {
    if (templateArchive.isOpen())
        templateArchive.close();
    if (!templateArchive.open(archive.c_str()))
        return false;
    return loadTemplate(String(defaultTemplateName));
}

bool loadTemplateFromFile(const std::string& path, const std::string& displayName) {
    return loadTemplateFile(path.c_str(), displayName.c_str());
}

namespace {

// The selector keeps its entries sorted without regard to letter case.
bool selectorOrder(const std::string& a, const std::string& b) {
    return lowerCaseAscii(a) < lowerCaseAscii(b);
}

void addEntry(List& /*list*/, ListNode* node, void* entries) {
    static_cast<std::vector<std::string>*>(entries)->push_back(
        orEmpty(*static_cast<String*>(node->item)));
}

}  // namespace

std::vector<std::string> selectorEntries(const std::vector<std::string>& extra) {
    std::vector<std::string> entries{defaultTemplateName};
    forEachNode(templateNames, addEntry, &entries);
    for (const std::string& name : extra) {
        if (std::find(entries.begin(), entries.end(), name) == entries.end())
            entries.push_back(name);
    }
    std::stable_sort(entries.begin(), entries.end(), selectorOrder);
    return entries;
}

std::string lastErrorMessage() {
    return orEmpty(LastError.message);
}
