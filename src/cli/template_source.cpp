#include "cli/template_source.h"

#include "catalogue/template_catalogue.h"
#include "cli/process_io.h"
#include "foundation/errors.h"
#include "foundation/files.h"

namespace {

const char* const archiveName = "Quenby.jam";

}  // namespace

std::string archiveLocation(const std::string& archiveOption) {
    if (!archiveOption.empty())
        return archiveOption;
    std::string folder = executableFolder();
    if (!folder.empty()) {
        std::string besideExecutable = pathInFolder(folder, archiveName);
        if (isExistingFile(besideExecutable.c_str()))
            return besideExecutable;
    }
    return archiveName;
}

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

std::string lastErrorMessage() {
    return orEmpty(LastError.message);
}
