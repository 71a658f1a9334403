#include "sheets/generation.h"

#include "engine/nfo_generator.h"
#include "engine/nfo_view.h"
#include "engine/template_reader.h"
#include "foundation/errors.h"

namespace {

// Keeps what the engine would show in the Preview page.
class RecordedView : public NfoView {
public:
    // After a success the preview is nfoOutput itself, which generate() takes: not copied here.
    void setPreviewText(const char* text) override {
        preview = text != nullptr && text != nfoOutput.chars() ? text : "";
    }
    void enableOutputCommands(bool enabled) override { outputEnabled = enabled; }

    std::string preview;
    bool outputEnabled = false;
};

}  // namespace

Generation generate(const ReleaseForm& form) {
    RecordedView view;
    generateNfo(form, view);
    Generation result;
    result.succeeded = view.outputEnabled;
    if (result.succeeded) {
        // nfoOutput, not the preview text: it is what the program saves and copies.
        result.text.assign(orEmpty(nfoOutput), nfoOutput.length());
    } else {
        result.text = view.preview;
        result.message = orEmpty(LastError.message);
        result.line = templateReader.lineNumber;
    }
    return result;
}
