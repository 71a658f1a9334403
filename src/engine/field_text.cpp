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

String nextTextLine(const String& text, uint32_t& offset, bool& more) {
    const char* const chars = orEmpty(text);
    const uint32_t length = text.length();
    const uint32_t begin = offset < length ? offset : length;
    uint32_t end = begin;
    while (end != length && chars[end] != '\n')
        ++end;
    more = end != length;
    uint32_t lineLength = end - begin;
    if (more && lineLength != 0 && chars[end - 1] == '\r')
        --lineLength;
    offset = more ? end + 1 : end;
    return text.chars() != nullptr ? text.mid(begin, lineLength) : String("");
}

bool isMultiLineField(DirectiveKind kind) {
    return kind == INSTALLINF || kind == POSTEDTO || kind == REMARKS || kind == THANKSTO;
}

String multiLineFieldText(const ReleaseForm& form, DirectiveKind kind) {
    switch (kind) {
        case INSTALLINF:
            return form.text(VariousTextPage, VariousControl::InstallEdit);
        case POSTEDTO:
            return form.text(UploadPage, UploadControl::NewsgroupsEdit);
        case REMARKS:
            return form.text(VariousTextPage, VariousControl::CommentsEdit);
        case THANKSTO:
            return form.text(VariousTextPage, VariousControl::ThanksEdit);
        default:
            return String("");
    }
}

namespace {

// Reads the form for one composition and remembers whether any text came back null (the form
// could not copy it: out of memory). Without that, a composed text such as the package size would
// silently lose the missing piece, since appending a null String appends nothing.
class ReadCheckedForm : public ReleaseForm {
public:
    explicit ReadCheckedForm(const ReleaseForm& form) : form(form) {}
    String text(FormPage page, uint32_t control) const override {
        String text = form.text(page, control);
        if (text.chars() == nullptr)
            lost = true;
        return text;
    }
    bool isChecked(FormPage page, uint32_t control) const override {
        return form.isChecked(page, control);
    }
    mutable bool lost = false;

private:
    const ReleaseForm& form;
};

String composeFrom(const ReleaseForm& form, DirectiveKind kind) {
    switch (kind) {
        case CRACKBY:
            return form.text(GeneralPage, GeneralControl::CrackedByEdit);
        case FULLREPOST:
            return form.text(UploadPage, UploadControl::RepostCombo);
        case KEYGENBY:
            return form.text(GeneralPage, GeneralControl::KeygenByEdit);
        case PACKAGESIZE:
            return packageSizeText(form);
        case POSTINFO:
            return postInfoText(form);
        case REGDTO:
            return form.text(GeneralPage, GeneralControl::RegisteredToEdit);
        case SECURITYINF:
            return securityText(form);
        case SERIALNUM:
            return form.text(GeneralPage, GeneralControl::SerialEdit);
        case SOFTWARE:
            return form.text(GeneralPage, GeneralControl::SoftwareEdit);
        case SUPPORT:
            return supportText(form);
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

}  // namespace

String composeFieldText(const ReleaseForm& form, DirectiveKind kind) {
    ReadCheckedForm checked(form);
    String text = composeFrom(checked, kind);
    if (checked.lost)
        text.clear();
    return text;
}
