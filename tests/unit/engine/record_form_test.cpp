// RecordForm: the form's initial state and the rules of its radio buttons.
#include "engine/record_form.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextControl {
    FormPage page;
    uint32_t control;
    const char* initial;
};

struct CheckControl {
    FormPage page;
    uint32_t control;
    bool initial;
};

const TextControl textControls[] = {
    {GeneralPage, GeneralControl::TitleEdit, ""},
    {GeneralPage, GeneralControl::UploaderEdit, ""},
    {GeneralPage, GeneralControl::SoftwareEdit, ""},
    {GeneralPage, GeneralControl::PackedEdit, ""},
    {GeneralPage, GeneralControl::UnpackedEdit, ""},
    {GeneralPage, GeneralControl::UnitList, "Kb"},
    {GeneralPage, GeneralControl::SerialEdit, ""},
    {GeneralPage, GeneralControl::RegisteredToEdit, ""},
    {GeneralPage, GeneralControl::CrackedByEdit, ""},
    {GeneralPage, GeneralControl::KeygenByEdit, ""},
    {UploadPage, UploadControl::UploadedAsCombo, ""},
    {UploadPage, UploadControl::PostNumberEdit, "1"},
    {UploadPage, UploadControl::FilesEdit, ""},
    {UploadPage, UploadControl::PerDayEdit, ""},
    {UploadPage, UploadControl::CustomSupportEdit, ""},
    {UploadPage, UploadControl::NewsgroupsEdit, ""},
    {UploadPage, UploadControl::RepostCombo, "There will be no full repost!"},
    {VariousTextPage, VariousControl::InstallEdit, ""},
    {VariousTextPage, VariousControl::CommentsEdit, ""},
    {VariousTextPage, VariousControl::ThanksEdit, ""},
};

const CheckControl checkControls[] = {
    {GeneralPage, GeneralControl::UnpackedCheck, false},
    {GeneralPage, GeneralControl::SerialCheck, false},
    {GeneralPage, GeneralControl::RegisteredToCheck, false},
    {GeneralPage, GeneralControl::CrackedByCheck, false},
    {GeneralPage, GeneralControl::AlreadyCrackedRadio, true},
    {GeneralPage, GeneralControl::CrackIncludedRadio, false},
    {GeneralPage, GeneralControl::KeygenByCheck, false},
    {UploadPage, UploadControl::PostNumberCheck, true},
    {UploadPage, UploadControl::FilesCheck, false},
    {UploadPage, UploadControl::PerDayCheck, false},
    {UploadPage, UploadControl::PresetsRadio, true},
    {UploadPage, UploadControl::CustomTextRadio, false},
    {UploadPage, UploadControl::SfvCheck, false},
    {UploadPage, UploadControl::CueCheck, false},
    {UploadPage, UploadControl::ManualCheck, false},
    {UploadPage, UploadControl::FillWaitCheck, false},
    {VariousTextPage, VariousControl::InstallCheck, false},
    {VariousTextPage, VariousControl::CommentsCheck, false},
    {VariousTextPage, VariousControl::ThanksCheck, false},
};

TEST(RecordFormTest, StartsInTheFormsInitialState) {
    static_assert(sizeof(textControls) / sizeof(textControls[0]) +
                          sizeof(checkControls) / sizeof(checkControls[0]) ==
                      39,
                  "every control of the form");
    const RecordForm form;
    for (const TextControl& c : textControls) {
        SCOPED_TRACE(std::to_string(c.page) + "/" + std::to_string(c.control));
        const String text = form.text(c.page, c.control);
        ASSERT_NE(nullptr, text.chars());
        EXPECT_STREQ(c.initial, text.chars());
        EXPECT_FALSE(form.isChecked(c.page, c.control));
    }
    for (const CheckControl& c : checkControls) {
        SCOPED_TRACE(std::to_string(c.page) + "/" + std::to_string(c.control));
        EXPECT_EQ(c.initial, form.isChecked(c.page, c.control));
    }
}

TEST(RecordFormTest, CheckingARadioButtonClearsItsPartner) {
    RecordForm form;
    ASSERT_TRUE(form.setChecked(GeneralPage, GeneralControl::CrackIncludedRadio, true));
    EXPECT_FALSE(form.isChecked(GeneralPage, GeneralControl::AlreadyCrackedRadio));
    ASSERT_TRUE(form.setChecked(UploadPage, UploadControl::CustomTextRadio, true));
    EXPECT_FALSE(form.isChecked(UploadPage, UploadControl::PresetsRadio));
    // The same id on another page is another control.
    EXPECT_FALSE(form.isChecked(VariousTextPage, VariousControl::CommentsCheck));
    ASSERT_TRUE(form.setChecked(UploadPage, UploadControl::PresetsRadio, true));
    EXPECT_FALSE(form.isChecked(UploadPage, UploadControl::CustomTextRadio));
    // Plain check boxes have no partner.
    ASSERT_TRUE(form.setChecked(UploadPage, UploadControl::SfvCheck, true));
    ASSERT_TRUE(form.setChecked(UploadPage, UploadControl::CueCheck, true));
    EXPECT_TRUE(form.isChecked(UploadPage, UploadControl::SfvCheck));
}

TEST(RecordFormTest, RejectsWhatIsNotOnThePage) {
    RecordForm form;
    EXPECT_FALSE(form.setText(GeneralPage, 9999, "x"));
    EXPECT_FALSE(form.setChecked(VariousTextPage, 1031, true));
    // A check box has no text, an edit box no check mark.
    EXPECT_FALSE(form.setText(UploadPage, UploadControl::FilesCheck, "x"));
    EXPECT_FALSE(form.setChecked(GeneralPage, GeneralControl::PackedEdit, true));
    EXPECT_STREQ("", form.text(UploadPage, UploadControl::FilesCheck).chars());
    EXPECT_STREQ("", form.text(GeneralPage, 4242).chars());
    EXPECT_FALSE(form.isChecked(GeneralPage, 4242));
    // A null text empties the control.
    ASSERT_TRUE(form.setText(GeneralPage, GeneralControl::TitleEdit, nullptr));
    EXPECT_STREQ("", form.text(GeneralPage, GeneralControl::TitleEdit).chars());
}

}  // namespace
