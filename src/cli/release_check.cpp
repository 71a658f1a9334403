// quenby release --check: a finished folder against its SFVs and its sheet or NFO.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "cli/process_io.h"
#include "cli/release_command.h"
#include "cli/release_folder.h"
#include "cli/sfv.h"
#include "cli/sfv_check.h"
#include "engine/field_text.h"
#include "engine/form_table.h"
#include "engine/record_form.h"
#include "sheets/release_sheet.h"

namespace fs = std::filesystem;

namespace {

// The names of the folder's regular files, sorted; empty when it cannot be read.
std::vector<std::string> regularFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entry(fs::u8path(folder), error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::error_code unknown;  // an entry that cannot be looked at is no file
        if (entry->is_regular_file(unknown))
            names.push_back(entry->path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool hasSfvExtension(const std::string& name) {
    std::string extension = name.size() > 4 ? name.substr(name.size() - 4) : "";
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".sfv";
}

std::string text(const RecordForm& form, FormPage page, uint32_t control) {
    return orEmpty(form.text(page, control));
}

std::string composed(const RecordForm& form, DirectiveKind kind) {
    return orEmpty(composeFieldText(form, kind));
}

// The value of digits, leading zeros and all; false for none or more than a volume set can hold.
bool number(const std::string& digits, uint64_t& value) {
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || value > 0xFFFFFFFFFFFFull / 10)
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return !digits.empty();
}

bool isAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Whether text holds what as a whole: not right after a letter or digit and, for a list, not
// followed by more of it (a letter, a digit or a comma).
bool holds(const std::string& text, const std::string& what, bool list = false) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        const size_t end = at + what.size();
        if ((at == 0 || !isAlphanumeric(text[at - 1])) &&
            (!list || end == text.size() || !(isAlphanumeric(text[end]) || text[end] == ',')))
            return true;
    }
    return false;
}

bool report(const char* what, bool ok, const std::string& found, const std::string& why) {
    if (ok)
        std::printf("%s OK (%s)\n", what, found.c_str());
    else
        std::printf("%s BAD (%s)\n", what, why.c_str());
    return ok;
}

}  // namespace

bool readSheetInto(const std::string& text, const std::string& sheetName, RecordForm& form) {
    try {
        readReleaseSheet(text, sheetName, form);
        return true;
    } catch (const SheetError& error) {
        for (const std::string& problem : error.problems())
            std::fprintf(stderr, "%s\n", problem.c_str());
        return false;
    }
}

bool checkFolderSfvs(const std::string& folder, const ReleaseFolder& release, bool& unusable) {
    const std::vector<std::string> files = regularFiles(folder);
    std::set<std::string> listed;
    bool ok = true, anySfv = false;
    for (const std::string& name : files) {
        if (!hasSfvExtension(name))
            continue;
        anySfv = true;
        SfvFile sfv;
        if (!readSfvFile(pathInFolder(folder, name), sfv)) {
            unusable = true;
            continue;
        }
        for (const SfvRow& row : sfv.rows) {
            listed.insert(row.name);
            const RowCheck check = checkSfvRow(sfv, row, nullptr);
            std::printf("%s\n", rowCheckLine(row, check).c_str());
            ok = check.result == RowResult::Ok && ok;
            unusable = unusable || check.result == RowResult::Refused;
        }
    }
    if (!anySfv) {
        std::printf("%s.sfv MISSING\n", release.baseName.c_str());
        return false;
    }
    for (const Volume& volume : release.volumes) {
        if (listed.count(volume.name) == 0) {
            std::printf("%s NOT IN SFV\n", volume.name.c_str());
            ok = false;
        }
    }
    return ok;
}

bool checkSheetClaims(const RecordForm& sheet, const std::string& sheetName,
                      const ReleaseFolder& release, const RecordForm& folderForm) {
    using namespace GeneralControl;
    namespace Upload = UploadControl;
    bool ok = true;
    const std::string packed = text(sheet, GeneralPage, PackedEdit);
    uint64_t claimed = 0;
    if (number(packed, claimed)) {
        const std::string unit = text(sheet, GeneralPage, UnitList);
        const uint64_t unitBytes = unit == "Mb" ? 1048576 : 1024;
        const std::string made =
            std::to_string((volumeBytes(release) + unitBytes - 1) / unitBytes) + unit;
        ok = report("packed size", made == std::to_string(claimed) + unit, made,
                    "the volumes make " + made + ", " + sheetName + " says " + packed + unit) &&
             ok;
    }
    if (sheet.isChecked(UploadPage, Upload::FilesCheck)) {
        const std::string count = std::to_string(release.volumes.size());
        const std::string files = text(sheet, UploadPage, Upload::FilesEdit);
        ok = report("files", number(files, claimed) && std::to_string(claimed) == count, count,
                    "the volumes are " + count + ", " + sheetName + " says " + files) &&
             ok;
    }
    if (sheet.isChecked(UploadPage, Upload::PresetsRadio)) {
        const std::string held = composed(folderForm, SUPPORT), said = composed(sheet, SUPPORT);
        ok = report("support", held == said, held,
                    "the folder holds " + held + ", " + sheetName + " says " + said) &&
             ok;
    }
    return ok;
}

bool checkNfoClaims(const std::string& nfo, const std::string& nfoName,
                    const ReleaseFolder& release, const RecordForm& folderForm) {
    const uint64_t bytes = volumeBytes(release);
    const std::string kb = std::to_string((bytes + 1023) / 1024) + "Kb";
    const std::string mb = std::to_string((bytes + 1048575) / 1048576) + "Mb";
    const std::string files = std::to_string(release.volumes.size()) + " files";
    const std::string support = composed(folderForm, SUPPORT);
    bool ok = report("packed size", holds(nfo, kb) || holds(nfo, mb), holds(nfo, kb) ? kb : mb,
                     "neither " + kb + " nor " + mb + " is in " + nfoName);
    ok = report("files", holds(nfo, files), files, "\"" + files + "\" is not in " + nfoName) && ok;
    return report("support", holds(nfo, support, true), support,
                  "\"" + support + "\" is not in " + nfoName) &&
           ok;
}
