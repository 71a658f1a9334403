// Resource and control identifiers of Quenby.exe, shared by quenby.rc and the page code. Control
// ids repeat across pages, so each name carries its page. Plain #defines, so that windres reads
// them too.
#pragma once

#include "version.h"

// Dialogs, one per window; the three form pages keep the numbers the engine addresses them by.
#define IDD_MAIN 101
#define IDD_GENERAL_PAGE 103
#define IDD_UPLOAD_PAGE 104
#define IDD_VARIOUS_TEXT_PAGE 108
#define IDD_PREVIEW_PAGE 109
#define IDD_ABOUT_PAGE 110

// Images.
#define IDI_QUENBY 114
#define IDC_HAND_POINTER 115
#define IDB_BANNER 116

// Main window.
#define IDC_MAIN_TABS 1000

// General / Software page.
#define IDC_GENERAL_TITLE_EDIT 1010
#define IDC_GENERAL_UPLOADER_EDIT 1011
#define IDC_GENERAL_SOFTWARE_EDIT 1012
#define IDC_GENERAL_UNPACKED_CHECK 1013
#define IDC_GENERAL_PACKED_EDIT 1014
#define IDC_GENERAL_UNPACKED_EDIT 1015
#define IDC_GENERAL_UNIT_LIST 1016
#define IDC_GENERAL_SERIAL_EDIT 1017
#define IDC_GENERAL_REGISTERED_TO_EDIT 1018
#define IDC_GENERAL_CRACKED_BY_EDIT 1019
#define IDC_GENERAL_KEYGEN_BY_EDIT 1020
#define IDC_GENERAL_SERIAL_CHECK 1026
#define IDC_GENERAL_REGISTERED_TO_CHECK 1027
#define IDC_GENERAL_CRACKED_BY_CHECK 1028
#define IDC_GENERAL_ALREADY_CRACKED_RADIO 1029
#define IDC_GENERAL_CRACK_INCLUDED_RADIO 1030
#define IDC_GENERAL_KEYGEN_BY_CHECK 1031

// Upload page.
#define IDC_UPLOAD_FILES_CHECK 1014
#define IDC_UPLOAD_PER_DAY_CHECK 1015
#define IDC_UPLOAD_UPLOADED_AS_COMBO 1025
#define IDC_UPLOAD_REPOST_COMBO 1026
#define IDC_UPLOAD_POST_NUMBER_EDIT 1031
#define IDC_UPLOAD_FILES_EDIT 1032
#define IDC_UPLOAD_POST_NUMBER_CHECK 1033
#define IDC_UPLOAD_PRESETS_RADIO 1034
#define IDC_UPLOAD_SFV_CHECK 1035
#define IDC_UPLOAD_NEWSGROUPS_EDIT 1036
#define IDC_UPLOAD_PER_DAY_EDIT 1037
#define IDC_UPLOAD_CUE_CHECK 1038
#define IDC_UPLOAD_MANUAL_CHECK 1039
#define IDC_UPLOAD_CUSTOM_SUPPORT_EDIT 1041
#define IDC_UPLOAD_FILL_WAIT_CHECK 1042
#define IDC_UPLOAD_CUSTOM_TEXT_RADIO 1043

// Various Text page.
#define IDC_VARIOUS_COMMENTS_EDIT 1043
#define IDC_VARIOUS_THANKS_EDIT 1044
#define IDC_VARIOUS_INSTALL_EDIT 1045
#define IDC_VARIOUS_INSTALL_CHECK 1047
#define IDC_VARIOUS_COMMENTS_CHECK 1048
#define IDC_VARIOUS_THANKS_CHECK 1049

// Preview page.
#define IDC_PREVIEW_TEXT_EDIT 1048
#define IDC_PREVIEW_COPY_BUTTON 1049
#define IDC_PREVIEW_SAVE_BUTTON 1050
#define IDC_PREVIEW_TEMPLATE_LIST 1051

// About page.
#define IDC_ABOUT_VERSION_LABEL 1052
#define IDC_ABOUT_WEB_LINK 1055
#define IDC_ABOUT_MAIL_LINK 1056

// The About page's texts (beside the version line of version.h): the links and the credits.
#define QUENBY_WEB_ADDRESS "https://quenby.example.org/"
#define QUENBY_FEEDBACK_ADDRESS "feedback@example.org"
#define QUENBY_CREDITS_LINE "Written by the Quenby developers"

#ifndef RC_INVOKED
#include "engine/form_table.h"

// The engine reads the form by these same numbers.
static_assert(IDD_GENERAL_PAGE == GeneralPage, "General / Software page");
static_assert(IDD_UPLOAD_PAGE == UploadPage, "Upload page");
static_assert(IDD_VARIOUS_TEXT_PAGE == VariousTextPage, "Various Text page");

static_assert(IDC_GENERAL_TITLE_EDIT == GeneralControl::TitleEdit, "");
static_assert(IDC_GENERAL_UPLOADER_EDIT == GeneralControl::UploaderEdit, "");
static_assert(IDC_GENERAL_SOFTWARE_EDIT == GeneralControl::SoftwareEdit, "");
static_assert(IDC_GENERAL_UNPACKED_CHECK == GeneralControl::UnpackedCheck, "");
static_assert(IDC_GENERAL_PACKED_EDIT == GeneralControl::PackedEdit, "");
static_assert(IDC_GENERAL_UNPACKED_EDIT == GeneralControl::UnpackedEdit, "");
static_assert(IDC_GENERAL_UNIT_LIST == GeneralControl::UnitList, "");
static_assert(IDC_GENERAL_SERIAL_EDIT == GeneralControl::SerialEdit, "");
static_assert(IDC_GENERAL_REGISTERED_TO_EDIT == GeneralControl::RegisteredToEdit, "");
static_assert(IDC_GENERAL_CRACKED_BY_EDIT == GeneralControl::CrackedByEdit, "");
static_assert(IDC_GENERAL_KEYGEN_BY_EDIT == GeneralControl::KeygenByEdit, "");
static_assert(IDC_GENERAL_SERIAL_CHECK == GeneralControl::SerialCheck, "");
static_assert(IDC_GENERAL_REGISTERED_TO_CHECK == GeneralControl::RegisteredToCheck, "");
static_assert(IDC_GENERAL_CRACKED_BY_CHECK == GeneralControl::CrackedByCheck, "");
static_assert(IDC_GENERAL_ALREADY_CRACKED_RADIO == GeneralControl::AlreadyCrackedRadio, "");
static_assert(IDC_GENERAL_CRACK_INCLUDED_RADIO == GeneralControl::CrackIncludedRadio, "");
static_assert(IDC_GENERAL_KEYGEN_BY_CHECK == GeneralControl::KeygenByCheck, "");

static_assert(IDC_UPLOAD_FILES_CHECK == UploadControl::FilesCheck, "");
static_assert(IDC_UPLOAD_PER_DAY_CHECK == UploadControl::PerDayCheck, "");
static_assert(IDC_UPLOAD_UPLOADED_AS_COMBO == UploadControl::UploadedAsCombo, "");
static_assert(IDC_UPLOAD_REPOST_COMBO == UploadControl::RepostCombo, "");
static_assert(IDC_UPLOAD_POST_NUMBER_EDIT == UploadControl::PostNumberEdit, "");
static_assert(IDC_UPLOAD_FILES_EDIT == UploadControl::FilesEdit, "");
static_assert(IDC_UPLOAD_POST_NUMBER_CHECK == UploadControl::PostNumberCheck, "");
static_assert(IDC_UPLOAD_PRESETS_RADIO == UploadControl::PresetsRadio, "");
static_assert(IDC_UPLOAD_SFV_CHECK == UploadControl::SfvCheck, "");
static_assert(IDC_UPLOAD_NEWSGROUPS_EDIT == UploadControl::NewsgroupsEdit, "");
static_assert(IDC_UPLOAD_PER_DAY_EDIT == UploadControl::PerDayEdit, "");
static_assert(IDC_UPLOAD_CUE_CHECK == UploadControl::CueCheck, "");
static_assert(IDC_UPLOAD_MANUAL_CHECK == UploadControl::ManualCheck, "");
static_assert(IDC_UPLOAD_CUSTOM_SUPPORT_EDIT == UploadControl::CustomSupportEdit, "");
static_assert(IDC_UPLOAD_FILL_WAIT_CHECK == UploadControl::FillWaitCheck, "");
static_assert(IDC_UPLOAD_CUSTOM_TEXT_RADIO == UploadControl::CustomTextRadio, "");

static_assert(IDC_VARIOUS_COMMENTS_EDIT == VariousControl::CommentsEdit, "");
static_assert(IDC_VARIOUS_THANKS_EDIT == VariousControl::ThanksEdit, "");
static_assert(IDC_VARIOUS_INSTALL_EDIT == VariousControl::InstallEdit, "");
static_assert(IDC_VARIOUS_INSTALL_CHECK == VariousControl::InstallCheck, "");
static_assert(IDC_VARIOUS_COMMENTS_CHECK == VariousControl::CommentsCheck, "");
static_assert(IDC_VARIOUS_THANKS_CHECK == VariousControl::ThanksCheck, "");
#endif
