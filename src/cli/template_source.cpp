#include "cli/template_source.h"

#include <filesystem>

#include "cli/process_io.h"
#include "foundation/file_names.h"
#include "foundation/files.h"

namespace {

const char* const archiveName = "Quenby.jam";
const char templateExtension[] = ".ntf";

}  // namespace

std::string installedFolder() {
    std::string executable = executableFolder();
    if (executable.empty())
        return std::string();
    for (const std::string& folder : installFolders(executable)) {
        if (isExistingFile(pathInFolder(folder, archiveName).c_str()))
            return folder;
    }
    return std::string();
}

std::string archiveLocation(const std::string& archiveOption) {
    if (!archiveOption.empty())
        return archiveOption;
    std::string folder = installedFolder();
    return folder.empty() ? archiveName : pathInFolder(folder, archiveName);
}

std::vector<std::string> installedTemplateNames() {
    std::vector<std::string> names;
    std::string folder = installedFolder();
    if (folder.empty())
        return names;
    // A folder that cannot be read, or stops being readable, lists what was read so far.
    std::error_code error;
    for (std::filesystem::directory_iterator entry(std::filesystem::u8path(folder), error), end;
         !error && entry != end; entry.increment(error)) {
        std::string name = entry->path().filename().u8string();
        if (hasExtension(name.c_str(), templateExtension) && entry->is_regular_file(error))
            names.push_back(name.substr(0, name.size() - (sizeof templateExtension - 1)));
    }
    return names;
}

bool loadTemplateOption(const std::string& option) {
    std::string path = option;
    if (!isExistingFile(option.c_str()) && baseName(option) == option) {
        std::string folder = installedFolder();
        std::vector<std::string> candidates{option + templateExtension};
        if (!folder.empty()) {
            candidates.push_back(pathInFolder(folder, option));
            candidates.push_back(pathInFolder(folder, option + templateExtension));
        }
        for (const std::string& candidate : candidates) {
            if (isExistingFile(candidate.c_str())) {
                path = candidate;
                break;
            }
        }
    }
    return loadTemplateFromFile(path, baseName(path));
}
