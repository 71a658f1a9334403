#include "engine/block_directives.h"

#include "engine/engine_state.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"

uint32_t insertLineCount = 0;

namespace {

bool takeInsertLines(int32_t count) {
    if (count > static_cast<int32_t>(insertLinesCapacity)) {
        setLastError(CustomError, "Cannot have more than 8 lines in an INSERTLINE directive!");
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (!templateReader.nextLine()) {
            setLastError(UnexpectedEndOfFile);
            return false;
        }
        if (templateReader.line[0] == '#') {
            setLastError(CustomError, "Directive found in INSERTLINE section!");
            return false;
        }
        insertLines[i] = templateReader.line;
        if (insertLines[i].chars() == nullptr) {
            setLastError(OutOfMemory);
            return false;
        }
    }
    // The block comes into force only once it is whole.
    insertLineCount = static_cast<uint32_t>(count);
    return true;
}

}  // namespace

bool dropTemplateLines(int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (!templateReader.nextLine()) {
            setLastError(UnexpectedEndOfFile);
            return false;
        }
    }
    return true;
}

bool handleBlockDirective(const ReleaseForm& form, DirectiveKind kind, int32_t lineCount) {
    switch (kind) {
        case FILLWAIT:
            if (form.isChecked(UploadPage, UploadControl::FillWaitCheck))
                return true;
            return dropTemplateLines(lineCount);
        case INSERTLINE:
            return takeInsertLines(lineCount);
        default:
            return true;
    }
}
