// Where a generation shows its result: the Preview page in the Windows program, a plain record in
// the tests and the command-line tool.
#pragma once

class NfoView {
public:
    virtual ~NfoView() {}
    // The text of the preview box: the NFO, or the failure report.
    virtual void setPreviewText(const char* text) = 0;
    // Enables or disables the two output commands (copy and save).
    virtual void enableOutputCommands(bool enabled) = 0;
};
