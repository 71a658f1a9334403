#include "engine/insertion.h"

#include "engine/engine_state.h"
#include "engine/field_text.h"
#include "engine/nfo_output.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"
#include "foundation/memory.h"

const char* const removedTargetMessage =
    "A directive's line of insertion was removed by another directive!";
const char* const sharedTargetMessage =
    "Multiple directives are trying to insert text on the same line!";

namespace {

// What the walk over the pending records found for the current line.
struct DueSearch {
    uint32_t line;
    ListNode* due;
    const char* failure;
};

void inspectRecord(List& /*list*/, ListNode* node, void* context) {
    auto* search = static_cast<DueSearch*>(context);
    if (search->failure != nullptr)
        return;
    const auto* record = static_cast<const PendingInsertion*>(node->item);
    if (record->targetLine < search->line) {
        search->failure = removedTargetMessage;
    } else if (record->targetLine == search->line) {
        if (search->due != nullptr) {
            search->failure = sharedTargetMessage;
        } else {
            search->due = node;
        }
    }
}

void releaseRecord(List& /*list*/, ListNode* node, void* /*context*/) {
    memFree(node->item, sizeof(PendingInsertion));
    node->item = nullptr;
}

bool failWithText(const char* reason, const String& text) {
    setLastError(CustomError, reason, "\r\n", text.chars());
    return false;
}

}  // namespace

bool handleTextLine(const ReleaseForm& form) {
    DueSearch search = {templateReader.lineNumber, nullptr, nullptr};
    forEachNode(pendingInsertions, inspectRecord, &search);
    if (search.failure != nullptr) {
        setLastError(CustomError, search.failure);
        return false;
    }
    if (search.due == nullptr) {
        return appendOutputLine(templateReader.line, templateReader.lineLength);
    }
    auto* record = static_cast<PendingInsertion*>(search.due->item);
    if (!renderInsertion(form, record->kind, record->column))
        return false;
    memFree(record, sizeof(PendingInsertion));
    pendingInsertions.remove(search.due);
    return true;
}

bool renderInsertion(const ReleaseForm& form, DirectiveKind kind, int32_t column) {
    // The background of the output line being made: the template line, then the INSERTLINE
    // block's lines in turn, or nothing.
    const char* background = templateReader.line;
    uint32_t backgroundLength = templateReader.lineLength;
    char merged[nfoLineWidth + 1];
    // A multi-line field's control is read once and its lines taken in turn.
    const bool multiLine = isMultiLineField(kind);
    const String source = multiLine ? multiLineFieldText(form, kind) : String();
    uint32_t sourceOffset = 0;
    if (multiLine && source.chars() == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }

    for (uint32_t index = 0;; ++index) {
        bool more = false;
        const String text =
            multiLine ? nextTextLine(source, sourceOffset, more) : composeFieldText(form, kind);
        if (text.chars() == nullptr) {
            setLastError(OutOfMemory);
            return false;
        }
        const uint32_t length = text.length();
        if (length > nfoLineWidth)
            return failWithText("Inserted text is longer than a line:", text);
        const uint32_t start =
            column >= 0 ? static_cast<uint32_t>(column) : (nfoLineWidth - length) / 2;
        if (start + length > nfoLineWidth) {
            return failWithText("Inserted text is too long for line:", text);
        }

        // The text overwrites the background from start on; a short background is padded with
        // spaces up to start, and what lies beyond the text's end survives.
        const uint32_t kept = backgroundLength < start ? backgroundLength : start;
        memCopy(merged, background, kept);
        memFill(merged + kept, ' ', start - kept);
        memCopy(merged + start, text.chars(), length);
        uint32_t mergedLength = start + length;
        if (backgroundLength > mergedLength) {
            memCopy(merged + mergedLength, background + mergedLength,
                    backgroundLength - mergedLength);
            mergedLength = backgroundLength;
        }
        merged[mergedLength] = 0;
        if (!appendOutputLine(merged, mergedLength))
            return false;

        if (!more)
            return true;
        if (insertLineCount > 0) {
            const String& line = insertLines[index % insertLineCount];
            background = line.chars();
            backgroundLength = line.length();
        } else {
            background = "";
            backgroundLength = 0;
        }
    }
}

void clearPendingInsertions() {
    forEachNode(pendingInsertions, releaseRecord, nullptr);
    pendingInsertions.clear();
}
