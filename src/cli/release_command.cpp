// quenby release: writes NAME.nfo, NAME.sfv and FILE_ID.DIZ into a release folder, all of them or
// none; --check compares a finished folder with its SFV and its sheet or NFO.
#include "cli/release_command.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "catalogue/template_catalogue.h"
#include "cli/commands.h"
#include "cli/process_io.h"
#include "cli/release_folder.h"
#include "cli/sfv.h"
#include "cli/template_source.h"
#include "engine/form_table.h"
#include "engine/nfo_generator.h"
#include "engine/record_form.h"
#include "foundation/files.h"
#include "sheets/generation.h"
#include "sheets/release_sheet.h"

namespace {

// The NFO of the form through the template loaded by load; false after printing why not (the
// failure report on standard error, with exit code 1 in failed).
bool generateWith(bool loaded, const RecordForm& form, std::string& text, bool& failed) {
    if (!loaded) {
        std::fprintf(stderr, "%s\n", lastErrorMessage().c_str());
        return false;
    }
    Generation generation = generate(form);
    unloadTemplate();
    nfoOutput.clear();
    if (!generation.succeeded) {
        std::fwrite(generation.text.data(), 1, generation.text.size(), stderr);
        std::fwrite("\r\n", 1, 2, stderr);
        failed = true;
        return false;
    }
    text = std::move(generation.text);
    return true;
}

// The whole of a file, read in blocks; false after printing why not.
bool readWhole(const std::string& path, std::string& text) {
    const FileRead read = readInBlocks(path, [&](const uint8_t* bytes, uint32_t size) {
        text.append(reinterpret_cast<const char*>(bytes), size);
    });
    if (read != FileRead::Done)
        printReadFailure(read, path);
    return read == FileRead::Done;
}

}  // namespace

ReleaseCommand::ReleaseCommand(CLI::App& parent) {
    app = parent.add_subcommand(
        "release", "Write a release folder's NFO, SFV and FILE_ID.DIZ, or check a finished one.");
    app->footer(
        "Writes NAME.nfo (through the template), NAME.sfv (of the archive volumes) and "
        "FILE_ID.DIZ\n"
        "(through the shipped template FileId) into DIR, NAME being the volumes' name. The form\n"
        "is filled as sheet --from fills it, SFV among the support files, and SHEET's keys over\n"
        "it. The files are written all or none; one already there is replaced only with --force.\n"
        "The same inputs write the same bytes. It prints the path of each file written.\n"
        "--check reads every .sfv in DIR (NAME OK, BAD or MISSING for each row; a row names a\n"
        "file of DIR itself) and names each volume no SFV lists (NAME NOT IN SFV). With SHEET it\n"
        "compares the packed size (in the sheet's unit, rounded up), the number of files (when\n"
        "the sheet ticks it) and the support presets with the volumes and the files beside them;\n"
        "else it looks in NAME.nfo for the texts the form makes of them: the size (as NKb or\n"
        "NMb), \"N files\" and the support text (such as \"SFV, CUE\").\n"
        "Exit codes: 0 written or all OK, 1 the generation failed or something is not OK, 2 an\n"
        "unusable folder, sheet, SFV or template, or a file not written.");
    app->add_option("dir", folder, "The release folder")->type_name("DIR")->required();
    app->add_option("sheet", sheet, "Release sheet whose keys go over the folder's")
        ->type_name("SHEET.toml");
    CLI::Option* templateOption =
        app->add_option("--template", templatePath, "Template file (.ntf) for the NFO")
            ->type_name("FILE.ntf");
    CLI::Option* forceOption = app->add_flag("--force", force, "Replace files already there");
    app->add_flag("--check", checking, "Check a finished folder instead")
        ->excludes(templateOption)
        ->excludes(forceOption);
}

int ReleaseCommand::run() {
    return checking ? check() : make();
}

int ReleaseCommand::make() {
    ReleaseFolder release;
    if (!readReleaseFolder(folder, release))
        return ExitBadInput;
    const std::string base = release.baseName;
    const std::string nfoPath = pathInFolder(folder, base + ".nfo");
    const std::string sfvPath = pathInFolder(folder, base + ".sfv");
    const std::string dizPath = pathInFolder(folder, "FILE_ID.DIZ");
    bool there = false;
    for (const std::string& path : {nfoPath, sfvPath, dizPath}) {
        if (!force && (isExistingFile(path.c_str()) || isFolder(path))) {
            std::fprintf(stderr, "File already exists: %s (--force replaces it)\n", path.c_str());
            there = true;
        }
    }
    if (there)
        return ExitBadInput;

    // The SFV written now is among the support files the NFO names.
    const std::string sfvPreset = findFormControl(UploadPage, UploadControl::SfvCheck)->preset;
    if (std::find(release.support.begin(), release.support.end(), sfvPreset) ==
        release.support.end())
        release.support.insert(release.support.begin(), sfvPreset);
    std::unique_ptr<RecordForm> form(new RecordForm);
    std::string sheetText, told;
    if (!folderSheet(release, folder, told) || !readSheetInto(told, folder, *form) ||
        (!sheet.empty() &&
         (!readWhole(sheet, sheetText) || !readSheetInto(sheetText, sheet, *form)))) {
        return ExitBadInput;
    }

    std::vector<SfvRow> rows;
    for (const Volume& volume : release.volumes) {
        const std::string path = pathInFolder(folder, volume.name);
        rows.push_back({volume.name, 0});
        const FileRead read = fileCrc32(path, rows.back().crc);
        if (read != FileRead::Done) {
            printReadFailure(read, path);
            return ExitBadInput;
        }
    }
    const std::string sfv = sfvText(rows);

    std::string nfo, diz;
    bool failed = false;
    const std::string installed = installedFolder();
    if (!generateWith(templatePath.empty() ? loadDefaultTemplate(archiveLocation(""))
                                           : loadTemplateOption(templatePath),
                      *form, nfo, failed) ||
        !generateWith(loadTemplateFromFile(pathInFolder(installed, "FileId.ntf"), "FileId.ntf"),
                      *form, diz, failed)) {
        return failed ? ExitFailed : ExitBadInput;
    }
    if (!writeOutputFiles({outputOf(nfoPath, nfo), outputOf(sfvPath, sfv), outputOf(dizPath, diz)}))
        return ExitBadInput;
    for (const std::string& path : {nfoPath, sfvPath, dizPath})
        std::printf("Wrote %s\n", path.c_str());
    return ExitSuccess;
}

int ReleaseCommand::check() {
    ReleaseFolder release;
    if (!readReleaseFolder(folder, release))
        return ExitBadInput;
    std::unique_ptr<RecordForm> folderForm(new RecordForm), sheetForm(new RecordForm);
    std::string text;
    std::string told;
    if (!folderSheet(release, folder, told) || !readSheetInto(told, folder, *folderForm))
        return ExitBadInput;
    const std::string nfoPath = pathInFolder(folder, release.baseName + ".nfo");
    const bool nfoThere = sheet.empty() && isExistingFile(nfoPath.c_str());
    if ((!sheet.empty() && (!readWhole(sheet, text) || !readSheetInto(text, sheet, *sheetForm))) ||
        (nfoThere && !readWhole(nfoPath, text))) {
        return ExitBadInput;
    }
    bool unusable = false;
    bool ok = checkFolderSfvs(folder, release, unusable);
    if (unusable)
        return ExitBadInput;
    if (!sheet.empty()) {
        ok = checkSheetClaims(*sheetForm, sheet, release, *folderForm) && ok;
    } else if (nfoThere) {
        ok = checkNfoClaims(text, nfoPath, release, *folderForm) && ok;
    } else {
        std::printf("%s MISSING\n", baseName(nfoPath).c_str());
        ok = false;
    }
    return ok ? ExitSuccess : ExitFailed;
}
