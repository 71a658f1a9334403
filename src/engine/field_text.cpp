#include "engine/field_text.h"

namespace {

String postInfoText(const ReleaseForm& form) {
    using namespace UploadControl;
    String text("");
    if (form.isChecked(UploadPage, FilesCheck)) {
        text += form.text(UploadPage, FilesEdit);
        text += " files";
        if (form.isChecked(UploadPage, PerDayCheck)) {
            text += ", ";
            text += form.text(UploadPage, PerDayEdit);
            text += " per day";
        }
        if (form.isChecked(UploadPage, PostNumberCheck)) {
            text += ", post ";
            text += form.text(UploadPage, PostNumberEdit);
        }
    } else if (form.isChecked(UploadPage, PostNumberCheck)) {
        text = "Post ";
        text += form.text(UploadPage, PostNumberEdit);
    }
    return text;
}

String securityText(const ReleaseForm& form) {
    using namespace GeneralControl;
    String text("");
    if (form.isChecked(GeneralPage, SerialCheck))
        text = "Serial number";
    if (form.isChecked(GeneralPage, CrackedByCheck)) {
        text += text.isEmpty() ? "Crack " : ", crack ";
        text +=
            form.isChecked(GeneralPage, AlreadyCrackedRadio) ? "(already cracked)" : "(included)";
    }
    if (form.isChecked(GeneralPage, KeygenByCheck))
        text += text.isEmpty() ? "Keygen" : ", keygen";
    return text;
}

String supportText(const ReleaseForm& form) {
    using namespace UploadControl;
    if (!form.isChecked(UploadPage, PresetsRadio))
        return form.text(UploadPage, CustomSupportEdit);
    String text("");
    if (form.isChecked(UploadPage, SfvCheck))
        text = "SFV";
    if (form.isChecked(UploadPage, CueCheck)) {
        if (!text.isEmpty())
            text += ", ";
        text += "CUE";
    }
    if (form.isChecked(UploadPage, ManualCheck))
        text += text.isEmpty() ? "Manual" : ", manual";
    if (text.isEmpty())
        text = "None!";
    return text;
}

String packageSizeText(const ReleaseForm& form) {
    using namespace GeneralControl;
    String text = form.text(GeneralPage, PackedEdit);
    text += form.text(GeneralPage, UnitList);
    if (form.isChecked(GeneralPage, UnpackedCheck)) {
        text += " (unpacked ";
        text += form.text(GeneralPage, UnpackedEdit);
        text += form.text(GeneralPage, UnitList);
        text += ")";
    }
    return text;
}

}  // namespace

String textLineAt(const String& text, uint32_t index, bool& more) {
    const char* const chars = text.chars() != nullptr ? text.chars() : "";
    const char* begin = chars;
    for (uint32_t skipped = 0; skipped < index; ++skipped) {
        while (*begin != 0 && *begin != '\n')
            ++begin;
        if (*begin == 0)
            break;  // callers never ask past the last line
        ++begin;
    }
    const char* end = begin;
    while (*end != 0 && *end != '\n')
        ++end;
    more = *end == '\n';
    uint32_t length = static_cast<uint32_t>(end - begin);
    if (more && length != 0 && begin[length - 1] == '\r')
        --length;
    return text.chars() != nullptr ? text.mid(static_cast<uint32_t>(begin - chars), length)
                                   : String("");
}

bool isMultiLineField(DirectiveKind kind) {
    return kind == INSTALLINF || kind == POSTEDTO || kind == REMARKS || kind == THANKSTO;
}

String composeFieldText(const ReleaseForm& form, DirectiveKind kind, uint32_t index, bool& more) {
    more = false;
    switch (kind) {
        case CRACKBY:
            return form.text(GeneralPage, GeneralControl::CrackedByEdit);
        case FULLREPOST:
            return form.text(UploadPage, UploadControl::RepostCombo);
        case INSTALLINF:
            return textLineAt(form.text(VariousTextPage, VariousControl::InstallEdit), index, more);
        case KEYGENBY:
            return form.text(GeneralPage, GeneralControl::KeygenByEdit);
        case PACKAGESIZE:
            return packageSizeText(form);
        case POSTEDTO:
            return textLineAt(form.text(UploadPage, UploadControl::NewsgroupsEdit), index, more);
        case POSTINFO:
            return postInfoText(form);
        case REGDTO:
            return form.text(GeneralPage, GeneralControl::RegisteredToEdit);
        case REMARKS:
            return textLineAt(form.text(VariousTextPage, VariousControl::CommentsEdit), index,
                              more);
        case SECURITYINF:
            return securityText(form);
        case SERIALNUM:
            return form.text(GeneralPage, GeneralControl::SerialEdit);
        case SOFTWARE:
            return form.text(GeneralPage, GeneralControl::SoftwareEdit);
        case SUPPORT:
            return supportText(form);
        case THANKSTO:
            return textLineAt(form.text(VariousTextPage, VariousControl::ThanksEdit), index, more);
        case TITLE:
            return form.text(GeneralPage, GeneralControl::TitleEdit);
        case UPLOADBY:
            return form.text(GeneralPage, GeneralControl::UploaderEdit);
        case UPLOADEDAS:
            return form.text(UploadPage, UploadControl::UploadedAsCombo);
        default:
            return String("");
    }
}
