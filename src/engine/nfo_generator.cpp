#include "engine/nfo_generator.h"

#include "catalogue/current_template.h"
#include "engine/directive_parser.h"
#include "engine/engine_state.h"
#include "engine/insertion.h"
#include "engine/nfo_output.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"

namespace {

const char* const failureReportFormat =
    "\r\n     -----------------------\r\n    | NFO GENERATION FAILED |\r\n"
    "     -----------------------\r\n\r\nERROR:\r\n%s\r\n\r\nTemplate: %s\r\nLine:     %u";

// The framed report of LastError at the reader's line. A report is at most 4095 characters (the
// formatting limit); a message too long for it (one that embeds a long form text) is cut so that
// the report still ends with the template's name and the line number.
String failureReport() {
    const char* name = orEmpty(CurrentTemplate.name);
    String report;
    report.format(failureReportFormat, "", name, templateReader.lineNumber);
    const uint32_t room = report.length() < String::maxFormattedLength
                              ? String::maxFormattedLength - report.length()
                              : 0;
    String message = LastError.message;
    if (message.length() > room)
        message = message.left(room);
    report.format(failureReportFormat, orEmpty(message), name, templateReader.lineNumber);
    return report;
}

// Runs the template through the engine; false at the first failure, LastError set.
bool mergeTemplate(const ReleaseForm& form) {
    // With no template loaded the reader has no line to give: the NFO is empty.
    templateReader.start(CurrentTemplate.text, CurrentTemplate.size);
    insertLineCount = 0;
    while (templateReader.nextLine()) {
        const bool handled =
            templateReader.line[0] == '#' ? handleDirectiveLine(form) : handleTextLine(form);
        if (!handled)
            return false;
    }
    // A target beyond the template's end, or a removed target with no ordinary line after it.
    if (pendingInsertions.count != 0) {
        setLastError(UnexpectedEndOfFile);
        return false;
    }
    return finishOutput();
}

}  // namespace

void generateNfo(const ReleaseForm& form, NfoView& view) {
    view.enableOutputCommands(false);
    nfoOutput.clear();
    clearPendingInsertions();
    beginOutput();

    const bool succeeded = mergeTemplate(form);
    clearPendingInsertions();
    if (succeeded) {
        view.setPreviewText(orEmpty(nfoOutput));
        view.enableOutputCommands(true);
        return;
    }

    // The partial text is thrown away; the report is shown but never kept for copy or save.
    discardOutput();
    String report = failureReport();
    view.setPreviewText(orEmpty(report));
    nfoOutput.clear();
}
