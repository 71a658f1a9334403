// RecordForm: a ReleaseForm backed by a plain record of texts and check states, one entry per
// control of the form table, keyed by page and control id. It starts as the table says the form
// starts. The tests and the command-line tool use it.
#pragma once

#include <cstdint>

#include "engine/form_table.h"
#include "engine/release_form.h"
#include "foundation/string.h"

class RecordForm : public ReleaseForm {
public:
    RecordForm();

    String text(FormPage page, uint32_t control) const override;
    bool isChecked(FormPage page, uint32_t control) const override;

    // Replaces a control's text (null empties it); false for a (page, id) that is not a text
    // control of the form.
    bool setText(FormPage page, uint32_t control, const char* text);
    // Checks or unchecks a check box or radio button; checking a radio button clears the others of
    // its group ("Already Cracked"/"Crack Included", "Presets:"/"Custom text:"). False for an
    // unknown control.
    bool setChecked(FormPage page, uint32_t control, bool checked);

private:
    struct Entry {
        const FormControl* control;
        bool checked;
        String text;
    };
    Entry* entryFor(FormPage page, uint32_t control);
    const Entry* entryFor(FormPage page, uint32_t control) const;

    Entry entries[formControlCount];
};
