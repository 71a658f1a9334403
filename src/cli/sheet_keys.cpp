#include "cli/sheet_keys.h"

#include <algorithm>
#include <vector>

using namespace GeneralControl;
namespace Upload = UploadControl;
namespace Various = VariousControl;

const SheetKey sheetKeys[sheetKeyCount] = {
    {"general", "title", ValueKind::Text, GeneralPage, TitleEdit, 0, "The NFO title"},
    {"general", "uploader", ValueKind::Text, GeneralPage, UploaderEdit, 0, "Who uploaded it"},
    {"general", "software", ValueKind::Text, GeneralPage, SoftwareEdit, 0,
     "The full software name"},
    {"general", "packed", ValueKind::Digits, GeneralPage, PackedEdit, 0,
     "The packed size, digits only, in the unit below"},
    {"general", "unit", ValueKind::Unit, GeneralPage, UnitList, 0,
     "The unit of both sizes: \"Kb\" or \"Mb\""},
    {"general", "unpacked", ValueKind::Digits, GeneralPage, UnpackedEdit, UnpackedCheck,
     "The unpacked size, digits only; given, it follows the packed size"},
    {"general", "serial", ValueKind::Text, GeneralPage, SerialEdit, SerialCheck,
     "The serial number; given, the protection names it"},
    {"general", "registered_to", ValueKind::Text, GeneralPage, RegisteredToEdit, RegisteredToCheck,
     "Whom the serial number is registered to (printed only with a serial number)"},
    {"general", "cracked_by", ValueKind::Text, GeneralPage, CrackedByEdit, CrackedByCheck,
     "Who cracked it; given, the protection names a crack"},
    {"general", "crack", ValueKind::Crack, GeneralPage, AlreadyCrackedRadio, 0,
     "The crack: \"already\" (already cracked) or \"included\" (crack included)"},
    {"general", "keygen_by", ValueKind::Text, GeneralPage, KeygenByEdit, KeygenByCheck,
     "Who made the keygen; given, the protection names a keygen"},
    {"upload", "uploaded_as", ValueKind::Text, UploadPage, Upload::UploadedAsCombo, 0,
     "The format it was uploaded as"},
    {"upload", "post_number", ValueKind::PostNumber, UploadPage, Upload::PostNumberEdit,
     Upload::PostNumberCheck, "The post number (digits), or false for none"},
    {"upload", "files", ValueKind::Digits, UploadPage, Upload::FilesEdit, Upload::FilesCheck,
     "The number of files (digits)"},
    {"upload", "per_day", ValueKind::Digits, UploadPage, Upload::PerDayEdit, Upload::PerDayCheck,
     "Files posted a day (digits; printed only with files)"},
    {"upload", "support", ValueKind::Support, UploadPage, Upload::CustomSupportEdit, 0,
     "The support files posted: an array of \"SFV\", \"CUE\" and \"Manual\", or a custom text"},
    {"upload", "newsgroups", ValueKind::Newsgroups, UploadPage, Upload::NewsgroupsEdit, 0,
     "The newsgroups posted to, one a line (letters lower-cased)"},
    {"upload", "repost", ValueKind::Text, UploadPage, Upload::RepostCombo, 0,
     "What is said about a full repost"},
    {"upload", "fill_wait", ValueKind::Flag, UploadPage, Upload::FillWaitCheck, 0,
     "true: fill requests should wait until after the repost"},
    {"various", "install", ValueKind::MultiLineText, VariousTextPage, Various::InstallEdit,
     Various::InstallCheck, "Installation notes, any number of lines; given, they are printed"},
    {"various", "comments", ValueKind::MultiLineText, VariousTextPage, Various::CommentsEdit,
     Various::CommentsCheck, "Comments, any number of lines; given, they are printed"},
    {"various", "thanks", ValueKind::MultiLineText, VariousTextPage, Various::ThanksEdit,
     Various::ThanksCheck, "Thanks, any number of lines; given, they are printed"},
};

const char* const sheetTables[sheetTableCount] = {"general", "upload", "various"};

const SupportPreset supportPresets[supportPresetCount] = {
    {"SFV", Upload::SfvCheck}, {"CUE", Upload::CueCheck}, {"Manual", Upload::ManualCheck}};

const SheetKey* findKey(const std::string& table, const std::string& name) {
    for (const SheetKey& key : sheetKeys) {
        if (table == key.table && name == key.name)
            return &key;
    }
    return nullptr;
}

bool isSheetTable(const std::string& name) {
    for (const char* table : sheetTables) {
        if (name == table)
            return true;
    }
    return false;
}

namespace {

// The fewest letters added, dropped or changed that turn one word into the other.
size_t editDistance(const std::string& from, const std::string& to) {
    std::vector<size_t> previous(to.size() + 1), current(to.size() + 1);
    for (size_t j = 0; j <= to.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= from.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= to.size(); ++j) {
            size_t changed = previous[j - 1] + (from[i - 1] == to[j - 1] ? 0 : 1);
            current[j] = std::min({changed, previous[j] + 1, current[j - 1] + 1});
        }
        previous.swap(current);
    }
    return previous[to.size()];
}

// Whether candidate is nearer to word than the nearest so far (best edits away) and at most two
// edits away; if so, best becomes its distance.
bool isNearer(const std::string& word, const char* candidate, size_t& best) {
    const size_t farthest = 2;
    size_t distance = editDistance(word, candidate);
    if (distance > farthest || distance >= best)
        return false;
    best = distance;
    return true;
}

}  // namespace

const SheetKey* closestKey(const std::string& table, const std::string& name) {
    const SheetKey* closest = nullptr;
    size_t best = SIZE_MAX;
    for (const SheetKey& key : sheetKeys) {
        if (table == key.table && isNearer(name, key.name, best))
            closest = &key;
    }
    return closest;
}

const char* closestTable(const std::string& name) {
    const char* closest = nullptr;
    size_t best = SIZE_MAX;
    for (const char* table : sheetTables) {
        if (isNearer(name, table, best))
            closest = table;
    }
    return closest;
}
