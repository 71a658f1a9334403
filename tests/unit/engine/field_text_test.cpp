// What each field directive prints, with every fixed wording, and which control it reads on
// which page.
#include "engine/field_text.h"

#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

class FieldTextTest : public EngineTest {
protected:
    // What "#KEYWORD 1 0 0" prints over an empty line: the line without its CR LF, or "<dropped>"
    // when the gate removed it.
    static std::string printed(const std::string& keyword, const RecordForm& form) {
        const Generation result = generate("#" + keyword + " 1 0 0\n\n", form);
        EXPECT_TRUE(result.commandsEnabled) << result.preview;
        if (result.output.empty())
            return "<dropped>";
        const std::size_t end = result.output.find("\r\n");
        EXPECT_EQ(result.output.size(), end + 2) << "one line expected";
        return result.output.substr(0, end);
    }
};

TEST_F(FieldTextTest, PlainTextFieldsReadTheirOwnControl) {
    struct Case {
        const char* keyword;
        FormPage page;
        uint32_t control;
        uint32_t gate;  // the check box on the same page; 0: no gate
    };
    const Case cases[] = {
        {"TITLE", GeneralPage, GeneralControl::TitleEdit, 0},
        {"UPLOADBY", GeneralPage, GeneralControl::UploaderEdit, 0},
        {"SOFTWARE", GeneralPage, GeneralControl::SoftwareEdit, 0},
        {"SERIALNUM", GeneralPage, GeneralControl::SerialEdit, GeneralControl::SerialCheck},
        {"CRACKBY", GeneralPage, GeneralControl::CrackedByEdit, GeneralControl::CrackedByCheck},
        {"KEYGENBY", GeneralPage, GeneralControl::KeygenByEdit, GeneralControl::KeygenByCheck},
        {"UPLOADEDAS", UploadPage, UploadControl::UploadedAsCombo, 0},
        {"FULLREPOST", UploadPage, UploadControl::RepostCombo, 0},
        {"INSTALLINF", VariousTextPage, VariousControl::InstallEdit, VariousControl::InstallCheck},
        {"REMARKS", VariousTextPage, VariousControl::CommentsEdit, VariousControl::CommentsCheck},
        {"THANKSTO", VariousTextPage, VariousControl::ThanksEdit, VariousControl::ThanksCheck},
        {"POSTEDTO", UploadPage, UploadControl::NewsgroupsEdit, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        RecordForm form;
        ASSERT_TRUE(form.setText(c.page, c.control, "value"));
        if (c.gate != 0) {
            EXPECT_EQ("<dropped>", printed(c.keyword, form));
            ASSERT_TRUE(form.setChecked(c.page, c.gate, true));
        }
        EXPECT_EQ("value", printed(c.keyword, form));
    }
}

TEST_F(FieldTextTest, InitialFormPrintsItsDefaults) {
    RecordForm form;
    EXPECT_EQ("There will be no full repost!", printed("FULLREPOST", form));
    EXPECT_EQ("Post 1", printed("POSTINFO", form));
    EXPECT_EQ("None!", printed("SUPPORT", form));
    EXPECT_EQ("Kb", printed("PACKAGESIZE", form));
    EXPECT_EQ("", printed("TITLE", form));
    EXPECT_EQ("<dropped>", printed("SECURITYINF", form));
    form.setChecked(GeneralPage, GeneralControl::CrackedByCheck, true);
    EXPECT_EQ("Crack (already cracked)", printed("SECURITYINF", form));
}

TEST_F(FieldTextTest, RegisteredToNeedsTheSerialNumberToo) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::RegisteredToEdit, "Ann");
    form.setChecked(GeneralPage, GeneralControl::RegisteredToCheck, true);
    EXPECT_EQ("<dropped>", printed("REGDTO", form));
    form.setChecked(GeneralPage, GeneralControl::SerialCheck, true);
    EXPECT_EQ("Ann", printed("REGDTO", form));
    form.setChecked(GeneralPage, GeneralControl::RegisteredToCheck, false);
    EXPECT_EQ("<dropped>", printed("REGDTO", form));
}

TEST_F(FieldTextTest, PackageSize) {
    RecordForm form;
    form.setText(GeneralPage, GeneralControl::PackedEdit, "12");
    form.setText(GeneralPage, GeneralControl::UnitList, "Mb");
    form.setText(GeneralPage, GeneralControl::UnpackedEdit, "30");
    EXPECT_EQ("12Mb", printed("PACKAGESIZE", form));
    form.setChecked(GeneralPage, GeneralControl::UnpackedCheck, true);
    EXPECT_EQ("12Mb (unpacked 30Mb)", printed("PACKAGESIZE", form));
    form.setText(GeneralPage, GeneralControl::PackedEdit, "");
    EXPECT_EQ("Mb (unpacked 30Mb)", printed("PACKAGESIZE", form));
}

TEST_F(FieldTextTest, PostInfoShapes) {
    using namespace UploadControl;
    struct Case {
        bool files, perDay, postNumber;
        const char* expected;
    };
    const Case cases[] = {
        {true, false, false, "12 files"},
        {true, true, false, "12 files, 3 per day"},
        {true, true, true, "12 files, 3 per day, post 2"},
        {true, false, true, "12 files, post 2"},
        {false, false, true, "Post 2"},
        {false, true, true, "Post 2"},      // "Per Day:" needs "Files:"
        {false, true, false, "<dropped>"},  // and does not open the gate alone
        {false, false, false, "<dropped>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        RecordForm form;
        form.setText(UploadPage, FilesEdit, "12");
        form.setText(UploadPage, PerDayEdit, "3");
        form.setText(UploadPage, PostNumberEdit, "2");
        form.setChecked(UploadPage, FilesCheck, c.files);
        form.setChecked(UploadPage, PerDayCheck, c.perDay);
        form.setChecked(UploadPage, PostNumberCheck, c.postNumber);
        EXPECT_EQ(c.expected, printed("POSTINFO", form));
    }
}

TEST_F(FieldTextTest, SecurityShapes) {
    using namespace GeneralControl;
    struct Case {
        bool serial, cracked, alreadyCracked, keygen;
        const char* expected;
    };
    const Case cases[] = {
        {true, false, true, false, "Serial number"},
        {false, true, false, false, "Crack (included)"},
        {false, true, true, false, "Crack (already cracked)"},
        {true, true, true, true, "Serial number, crack (already cracked), keygen"},
        {true, true, false, false, "Serial number, crack (included)"},
        {true, false, true, true, "Serial number, keygen"},
        {false, true, false, true, "Crack (included), keygen"},
        {false, false, true, true, "Keygen"},
        {false, false, true, false, "<dropped>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        RecordForm form;
        form.setChecked(GeneralPage, SerialCheck, c.serial);
        form.setChecked(GeneralPage, CrackedByCheck, c.cracked);
        form.setChecked(GeneralPage, c.alreadyCracked ? AlreadyCrackedRadio : CrackIncludedRadio,
                        true);
        form.setChecked(GeneralPage, KeygenByCheck, c.keygen);
        EXPECT_EQ(c.expected, printed("SECURITYINF", form));
    }
}

TEST_F(FieldTextTest, SupportShapes) {
    using namespace UploadControl;
    struct Case {
        bool sfv, cue, manual;
        const char* expected;
    };
    const Case cases[] = {
        {true, true, true, "SFV, CUE, manual"}, {false, true, false, "CUE"},
        {false, false, true, "Manual"},         {false, false, false, "None!"},
        {true, false, true, "SFV, manual"},     {false, true, true, "CUE, manual"},
        {true, true, false, "SFV, CUE"},        {true, false, false, "SFV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        RecordForm form;
        form.setText(UploadPage, CustomSupportEdit, "custom");
        form.setChecked(UploadPage, SfvCheck, c.sfv);
        form.setChecked(UploadPage, CueCheck, c.cue);
        form.setChecked(UploadPage, ManualCheck, c.manual);
        EXPECT_EQ(c.expected, printed("SUPPORT", form));
        // "Custom text:" prints the custom text whatever the presets hold.
        form.setChecked(UploadPage, CustomTextRadio, true);
        EXPECT_EQ("custom", printed("SUPPORT", form));
    }
}

TEST_F(FieldTextTest, PageIsPartOfEveryControlAddress) {
    RecordForm form;
    // General 1031 is the "Keygen By:" check box, Upload 1031 the post number.
    form.setChecked(GeneralPage, GeneralControl::KeygenByCheck, true);
    form.setText(GeneralPage, GeneralControl::KeygenByEdit, "kg");
    form.setText(UploadPage, UploadControl::PostNumberEdit, "7");
    // General 1014/1015 are size edits, Upload 1014/1015 the "Files:"/"Per Day:" boxes.
    form.setText(GeneralPage, GeneralControl::PackedEdit, "5");
    form.setText(GeneralPage, GeneralControl::UnpackedEdit, "9");
    // Upload 1043 is the "Custom text:" radio button, Various 1043 the comments.
    form.setChecked(VariousTextPage, VariousControl::CommentsCheck, true);
    form.setText(VariousTextPage, VariousControl::CommentsEdit, "note");
    // General 1026 is "Serial Number:", Upload 1026 the repost text.
    form.setText(UploadPage, UploadControl::RepostCombo, "In a week's time...");

    const std::string text = lfLines(
        {"#KEYGENBY 1 0 0", "", "#POSTINFO 1 0 0", "", "#PACKAGESIZE 1 0 0", "", "#REMARKS 1 0 0",
         "", "#SUPPORT 1 0 0", "", "#FULLREPOST 1 0 0", "", "#SECURITYINF 1 0 0", ""});
    expectSuccess(generate(text, form), crlfLines({"kg", "Post 7", "5Kb", "note", "None!",
                                                   "In a week's time...", "Keygen"}));
}

TEST_F(FieldTextTest, MultiLineFieldsKeepEveryLineOfTheirControl) {
    RecordForm form;
    form.setChecked(VariousTextPage, VariousControl::InstallCheck, true);
    form.setText(VariousTextPage, VariousControl::InstallEdit, "unpack\r\ninstall\r\n\r\nenjoy");
    form.setText(UploadPage, UploadControl::NewsgroupsEdit, "alt.a\r\nalt.b");
    expectSuccess(generate(lfLines({"#INSTALLINF 1 0 1", "", "#POSTEDTO 1 0 -1", ""}), form),
                  crlfLines({" unpack", " install", " ", " enjoy", std::string(37, ' ') + "alt.a",
                             std::string(37, ' ') + "alt.b"}));
}

TEST(TextLineAtTest, SplitsAtLineFeeds) {
    struct Case {
        const char* text;
        uint32_t index;
        const char* line;
        bool more;
    };
    const Case cases[] = {
        {"", 0, "", false},           {"one", 0, "one", false},     {"a\r\nbb", 0, "a", true},
        {"a\r\nbb", 1, "bb", false},  {"a\r\n", 1, "", false},      {"a\nb\n", 2, "", false},
        {"a\r\r\nb", 0, "a\r", true}, {"end\r", 0, "end\r", false}, {"\n\n", 1, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)) + " line " +
                     std::to_string(c.index));
        bool more = !c.more;
        const String line = textLineAt(String(c.text), c.index, more);
        EXPECT_STREQ(c.line, line.chars());
        EXPECT_EQ(c.more, more);
    }
}

}  // namespace
}  // namespace enginetest
