// Fuzzing harness of the template engine: the input is a form and a template (see fuzz_form.h).
// Every generation must give a well-formed NFO or a well-formed failure report (nfo_shape.h).
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "catalogue/template_catalogue.h"
#include "cli/generation.h"
#include "engine/nfo_generator.h"
#include "foundation/framework.h"
#include "fuzz_form.h"
#include "nfo_shape.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    frameworkStartup(PrimeNodePool);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordForm form;
    size_t templateStart = fuzzform::decodeForm(data, size, form);

    // The template in a block of exactly its size, so a read past its end is caught.
    if (!loadTemplateBytes(data + templateStart, static_cast<uint32_t>(size - templateStart),
                           "Fuzz.ntf"))
        abort();

    // generate() keeps what the Preview page would show: the NFO or the failure report.
    Generation generation = generate(form);
    std::string output(orEmpty(nfoOutput), nfoOutput.length());
    fuzzshape::checkGeneration(generation.succeeded, generation.text, output);

    unloadTemplate();
    return 0;
}
