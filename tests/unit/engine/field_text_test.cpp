// Which check boxes open each field's gate and what the composed fields print with every fixed
// wording the command-line goldens do not show. Which control each field reads is seen in the
// goldens fields-untouched and fields-full.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

// What "#KEYWORD 1 0 0" prints over an empty line, or "<dropped>" when its gate drops the line.
std::string printed(const std::string& keyword, const RecordForm& form) {
    const Generation g = generate("#" + keyword + " 1 0 0\n\n", form);
    EXPECT_TRUE(g.succeeded()) << g.preview;
    EXPECT_TRUE(g.output.empty() || g.output.find("\r\n") == g.output.size() - 2) << "one line";
    return g.output.empty() ? "<dropped>" : g.output.substr(0, g.output.size() - 2);
}

// Each row ticks its boxes on a form that starts as the program's, with these texts typed.
TEST(FieldTextTest, GatesAndComposedTexts) {
    const RecordForm texts =
        formWith({typed(GeneralPage, PackedEdit, "12"), typed(GeneralPage, UnitList, "Mb"),
                  typed(GeneralPage, UnpackedEdit, "30"), typed(UploadPage, FilesEdit, "12"),
                  typed(UploadPage, PerDayEdit, "3"), typed(UploadPage, PostNumberEdit, "2"),
                  typed(UploadPage, CustomSupportEdit, "custom")});
    const Set serial = ticked(GeneralPage, SerialCheck),
              crack = ticked(GeneralPage, CrackedByCheck),
              keygen = ticked(GeneralPage, KeygenByCheck),
              regd = ticked(GeneralPage, RegisteredToCheck), files = ticked(UploadPage, FilesCheck),
              perDay = ticked(UploadPage, PerDayCheck),
              noPost = ticked(UploadPage, PostNumberCheck, false),
              sfv = ticked(UploadPage, SfvCheck), cue = ticked(UploadPage, CueCheck),
              manual = ticked(UploadPage, ManualCheck);
    const struct {
        const char* keyword;
        std::vector<Set> form;
        const char* text;
    } cases[] = {
        // clang-format off
        {"CRACKBY", {crack}, ""}, {"KEYGENBY", {keygen}, ""}, {"SERIALNUM", {serial}, ""},
        {"INSTALLINF", {ticked(VariousTextPage, InstallCheck)}, ""},
        {"REMARKS", {ticked(VariousTextPage, CommentsCheck)}, ""},
        {"THANKSTO", {ticked(VariousTextPage, ThanksCheck)}, ""}, {"REGDTO", {regd}, "<dropped>"},
        {"REGDTO", {serial}, "<dropped>"}, {"REGDTO", {regd, serial}, ""},
        {"PACKAGESIZE", {}, "12Mb"},
        {"PACKAGESIZE", {ticked(GeneralPage, UnpackedCheck)}, "12Mb (unpacked 30Mb)"},
        {"POSTINFO", {files, noPost}, "12 files"},
        {"POSTINFO", {files, perDay, noPost}, "12 files, 3 per day"},
        {"POSTINFO", {files, perDay}, "12 files, 3 per day, post 2"},
        {"POSTINFO", {files}, "12 files, post 2"}, {"POSTINFO", {perDay}, "Post 2"},
        {"POSTINFO", {perDay, noPost}, "<dropped>"}, {"SECURITYINF", {}, "<dropped>"},
        {"SECURITYINF", {serial}, "Serial number"},
        {"SECURITYINF", {crack}, "Crack (already cracked)"},
        {"SECURITYINF", {crack, ticked(GeneralPage, CrackIncludedRadio)}, "Crack (included)"},
        {"SECURITYINF", {serial, crack, keygen}, "Serial number, crack (already cracked), keygen"},
        {"SECURITYINF", {serial, keygen}, "Serial number, keygen"},
        {"SECURITYINF", {keygen}, "Keygen"}, {"SUPPORT", {cue, manual}, "CUE, manual"},
        {"SUPPORT", {sfv}, "SFV"}, {"SUPPORT", {manual}, "Manual"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases) + ": " + c.keyword + " " + c.text);
        EXPECT_EQ(c.text, printed(c.keyword, formWith(c.form, texts)));
    }
}

}  // namespace
}  // namespace enginetest
