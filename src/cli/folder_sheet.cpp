// The starter sheet filled from a release folder.
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/name_text.h"
#include "cli/release_folder.h"
#include "sheets/release_sheet.h"
#include "sheets/sheet_text.h"

namespace {

struct Filled {
    std::string table;
    std::string key;
    std::string value;   // as TOML
    std::string source;  // where it came from
};

// The name as words: dots and underscores become spaces, except a dot between digits ("3.2").
std::string readableName(const std::string& name) {
    std::string words = name;
    for (size_t i = 0; i < words.size(); ++i) {
        const bool betweenDigits = i > 0 && i + 1 < words.size() && isdigit(uint8_t(name[i - 1])) &&
                                   isdigit(uint8_t(name[i + 1]));
        if (words[i] == '_' || (words[i] == '.' && !betweenDigits))
            words[i] = ' ';
    }
    return words;
}

// Replaces the line of each filled key in its table ("key = ..." or "#key = ...").
std::string fillSheet(const std::string& sheet, const std::vector<Filled>& filled) {
    std::string result, table;
    size_t start = 0;
    while (start < sheet.size()) {
        size_t end = sheet.find('\n', start);
        end = end == std::string::npos ? sheet.size() : end + 1;
        std::string line = sheet.substr(start, end - start);
        start = end;
        if (line.size() > 2 && line[0] == '[')
            table = line.substr(1, line.find(']') - 1);
        const size_t equals = line.find(" = ");
        const size_t keyStart = line[0] == '#' ? 1 : 0;
        for (const Filled& fill : filled) {
            if (fill.table == table && equals != std::string::npos &&
                line.compare(keyStart, equals - keyStart, fill.key) == 0)
                line = fill.key + " = " + fill.value + "  # " + fill.source + "\n";
        }
        result += line;
    }
    return result;
}

}  // namespace

bool folderSheet(const ReleaseFolder& release, const std::string& folder, std::string& sheet) {
    // The names become values, which must be text the form can hold; the folder is shown in the
    // comments, with its control characters and other bytes than UTF-8 escaped.
    const std::string volume = release.volumes.empty() ? "" : release.volumes[0].name;
    if (!isUtf8(release.baseName)) {
        std::fprintf(stderr, "Not a UTF-8 name: %s\n", shownName(volume).c_str());
        return false;
    }
    for (const std::string& value : {release.baseName, readableName(release.baseName)}) {
        try {
            formText(value, TextLines::Single);
        } catch (const ValueProblem& problem) {
            std::fprintf(stderr, "Cannot fill the title from %s: %s\n", shownName(volume).c_str(),
                         problem.what());
            return false;
        }
    }
    const uint64_t bytes = volumeBytes(release);
    const PackedSize packed = packedSizeOf(bytes);
    const std::string count = std::to_string(release.volumes.size());
    const std::string in = " in " + shownName(folder);
    std::vector<Filled> filled = {
        {"general", "title", quoted(release.baseName), "the volumes' name" + in},
        {"general", "software", quoted(readableName(release.baseName)), "the volumes' name" + in},
        {"general", "packed", std::to_string(packed.size),
         "rounded up from the " + std::to_string(bytes) + " bytes of the volumes" + in},
        {"general", "unit", packed.megabytes ? "\"Mb\"" : "\"Kb\"", "Kb up to 999999 Kb, else Mb"},
        {"upload", "files", count, "the volumes" + in},
    };
    if (!release.support.empty()) {
        std::string names;
        for (const std::string& name : release.support)
            names += (names.empty() ? "" : ", ") + quoted(name);
        filled.push_back(
            {"upload", "support", "[" + names + "]", "the files beside the volumes" + in});
    }
    sheet = fillSheet(starterSheet(), filled);
    return true;
}
