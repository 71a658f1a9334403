// quenby release: the post of a release folder in one step (its NFO, SFV and FILE_ID.DIZ), and
// the check of a finished folder against what its SFV and its sheet or NFO say.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

class ReleaseCommand {
public:
    explicit ReleaseCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    int make();
    int check();

    CLI::App* app;
    std::string folder;
    std::string sheet;
    std::string templatePath;
    bool force = false;
    bool checking = false;
};

// The parts of release --check, in release_check.cpp.
class RecordForm;
struct ReleaseFolder;
// Fills form from the sheet's text; false after printing the sheet's problems.
bool readSheetInto(const std::string& text, const std::string& sheetName, RecordForm& form);
// The folder's SFVs row by row, and the volumes none lists; false when something is not OK.
// Sets unusable (and prints why) for an SFV that cannot be read or is malformed.
bool checkFolderSfvs(const std::string& folder, const ReleaseFolder& release, bool& unusable);
// The packed size, the number of files and the support files that the sheet (its form) or the
// NFO (its text) claims, against the folder's; false when one is not OK.
bool checkSheetClaims(const RecordForm& sheet, const std::string& sheetName,
                      const ReleaseFolder& release, const RecordForm& folderForm);
bool checkNfoClaims(const std::string& nfo, const std::string& nfoName,
                    const ReleaseFolder& release, const RecordForm& folderForm);
