// Resource and control identifiers of Quenby.exe, shared by quenby.rc and the page code. Control
// ids repeat across pages, so each name carries its page. Plain #defines, so that windres reads
// them too.
#pragma once

#include "version.h"

// Dialogs, one per window; the three form pages' ids and their controls' come from the form table
// (form_ids.h, written by the build).
#include "form_ids.h"

#define IDD_MAIN 101
#define IDD_PREVIEW_PAGE 109
#define IDD_ABOUT_PAGE 110

// Images.
#define IDI_QUENBY 114
#define IDC_HAND_POINTER 115
#define IDB_BANNER 116

// Main window.
#define IDC_MAIN_TABS 1000

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
