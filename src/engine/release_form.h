// ReleaseForm: the engine's read-only view of the form pages. The Windows program backs it with
// the dialog controls; tests and the command-line tool with a plain record (RecordForm).
#pragma once

#include <cstdint>

#include "engine/form_table.h"
#include "foundation/string.h"

class ReleaseForm {
public:
    virtual ~ReleaseForm() {}
    // The control's whole current text (multi-line boxes separate lines with CR LF); a control
    // with no text yields a zero-length, non-null String.
    virtual String text(FormPage page, uint32_t control) const = 0;
    // True when the check box or radio button is checked.
    virtual bool isChecked(FormPage page, uint32_t control) const = 0;
};
