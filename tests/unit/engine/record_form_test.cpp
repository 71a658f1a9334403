// RecordForm: the rules of its radio buttons and of its control addresses. Its initial state is
// seen through what the untouched form prints (FieldTextTest).
#include "engine/record_form.h"

#include <gtest/gtest.h>

namespace {

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
