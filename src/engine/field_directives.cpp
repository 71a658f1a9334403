#include "engine/field_directives.h"

#include "engine/block_directives.h"
#include "engine/engine_state.h"
#include "engine/insertion.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"
#include "foundation/memory.h"

bool fieldGateOpen(const ReleaseForm& form, DirectiveKind kind) {
    auto general = [&form](uint32_t control) { return form.isChecked(GeneralPage, control); };
    auto upload = [&form](uint32_t control) { return form.isChecked(UploadPage, control); };
    auto various = [&form](uint32_t control) { return form.isChecked(VariousTextPage, control); };
    switch (kind) {
        case CRACKBY:
            return general(GeneralControl::CrackedByCheck);
        case INSTALLINF:
            return various(VariousControl::InstallCheck);
        case KEYGENBY:
            return general(GeneralControl::KeygenByCheck);
        case POSTINFO:
            return upload(UploadControl::PostNumberCheck) || upload(UploadControl::FilesCheck);
        case REGDTO:
            return general(GeneralControl::SerialCheck) &&
                   general(GeneralControl::RegisteredToCheck);
        case REMARKS:
            return various(VariousControl::CommentsCheck);
        case SECURITYINF:
            return general(GeneralControl::SerialCheck) ||
                   general(GeneralControl::CrackedByCheck) ||
                   general(GeneralControl::KeygenByCheck);
        case SERIALNUM:
            return general(GeneralControl::SerialCheck);
        case THANKSTO:
            return various(VariousControl::ThanksCheck);
        default:
            return true;
    }
}

bool handleFieldDirective(const ReleaseForm& form, DirectiveKind kind, int32_t lineCount,
                          int32_t targetOffset, int32_t column) {
    if (!fieldGateOpen(form, kind))
        return dropTemplateLines(lineCount);
    // The governed lines stay in the template: the driver reads them as any other lines.
    return queueInsertion(kind, targetOffset, column);
}

bool queueInsertion(DirectiveKind kind, int32_t targetOffset, int32_t column) {
    auto* record = static_cast<PendingInsertion*>(memAlloc(sizeof(PendingInsertion)));
    if (record == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }
    record->kind = kind;
    // A target past the largest line number can never be reached: it stays pending to the end.
    const uint64_t target =
        static_cast<uint64_t>(templateReader.lineNumber) + 1 + static_cast<uint32_t>(targetOffset);
    record->targetLine = target > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(target);
    record->column = column;
    if (!pendingInsertions.prepend(record)) {
        memFree(record, sizeof(PendingInsertion));
        setLastError(OutOfMemory);
        return false;
    }
    return true;
}
