// Fuzzing harness of the template engine. Every generation must give a well-formed NFO or a
// well-formed failure report (nfo_shape.h). The input is a form, then a template:
//
//   3 bytes     one bit per check box or radio button (bit i % 8 of byte i / 8), in the order of
//               checks below, set in that order
//   20 texts    each ended by a NUL byte, in the order of texts below
//   the rest    the template, any bytes (NUL included)
//
// An input that ends early leaves the later texts and the template empty. A single-line control
// holds no line break (the form's edit boxes keep only the first line of a paste), so a
// single-line text is cut at its first CR or LF; the last four texts are multi-line, taken whole.
#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/template_catalogue.h"
#include "engine/nfo_generator.h"
#include "engine/record_form.h"
#include "foundation/framework.h"
#include "nfo_shape.h"
#include "sheets/generation.h"

namespace {

using namespace GeneralControl;
using namespace UploadControl;
using namespace VariousControl;

const struct {
    FormPage page;
    std::vector<uint32_t> checks, texts;
} pages[] = {
    {GeneralPage,
     {UnpackedCheck, SerialCheck, RegisteredToCheck, CrackedByCheck, AlreadyCrackedRadio,
      CrackIncludedRadio, KeygenByCheck},
     {TitleEdit, UploaderEdit, SoftwareEdit, PackedEdit, UnpackedEdit, UnitList, SerialEdit,
      RegisteredToEdit, CrackedByEdit, KeygenByEdit}},
    {UploadPage,
     {PostNumberCheck, FilesCheck, PerDayCheck, PresetsRadio, CustomTextRadio, SfvCheck, CueCheck,
      ManualCheck, FillWaitCheck},
     {UploadedAsCombo, PostNumberEdit, FilesEdit, PerDayEdit, CustomSupportEdit, RepostCombo,
      NewsgroupsEdit}},
    {VariousTextPage,
     {InstallCheck, CommentsCheck, ThanksCheck},
     {InstallEdit, CommentsEdit, ThanksEdit}},
};

// Fills form from the front of the input; returns where the template's bytes begin.
size_t decodeForm(const uint8_t* data, size_t size, RecordForm& form) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    size_t bit = 0, text = 0, at = std::min<size_t>(size, 3);
    for (const auto& page : pages) {
        for (uint32_t id : page.checks) {
            form.setChecked(page.page, id, bit / 8 < size && (data[bit / 8] >> (bit % 8) & 1));
            ++bit;
        }
    }
    for (const auto& page : pages) {
        for (uint32_t id : page.texts) {
            const size_t end = std::min(input.find('\0', at), size);
            std::string value = input.substr(at, end - at);
            if (text++ < 16)  // the single-line texts
                value.erase(std::min(value.find_first_of("\r\n"), value.size()));
            form.setText(page.page, id, value.c_str());
            at = std::min(end + 1, size);
        }
    }
    return at;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    frameworkStartup(PrimeNodePool);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordForm form;
    const size_t start = decodeForm(data, size, form);
    // The template in a block of exactly its size, so a read past its end is caught.
    if (!loadTemplateBytes(data + start, static_cast<uint32_t>(size - start), "Fuzz.ntf"))
        abort();
    const Generation generation = generate(form);
    fuzzshape::checkGeneration(generation.succeeded, generation.text,
                               std::string(orEmpty(nfoOutput), nfoOutput.length()));
    unloadTemplate();
    return 0;
}
