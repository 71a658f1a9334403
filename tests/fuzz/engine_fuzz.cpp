// Fuzzing harness of the template engine: the input is a form and a template (see fuzz_form.h).
// Every generation must give a well-formed NFO or a well-formed failure report (nfo_shape.h).
#include <stdint.h>

#include <string>

#include "catalogue/current_template.h"
#include "cli/generation.h"
#include "engine/nfo_generator.h"
#include "foundation/framework.h"
#include "foundation/memory.h"
#include "fuzz_form.h"
#include "nfo_shape.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    frameworkStartup(PrimeNodePool);
    CurrentTemplate.name = "Fuzz.ntf";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordForm form;
    size_t templateStart = fuzzform::decodeForm(data, size, form);

    // The template in a block of exactly its size, so a read past its end is caught.
    CurrentTemplate.size = static_cast<uint32_t>(size - templateStart);
    CurrentTemplate.text = static_cast<char*>(memAlloc(CurrentTemplate.size));
    memCopy(CurrentTemplate.text, data + templateStart, CurrentTemplate.size);

    // generate() keeps what the Preview page would show: the NFO or the failure report.
    Generation generation = generate(form);
    std::string output(nfoOutput.chars() != nullptr ? nfoOutput.chars() : "", nfoOutput.length());
    fuzzshape::checkGeneration(generation.succeeded, generation.text, output);

    memFree(CurrentTemplate.text, CurrentTemplate.size);
    CurrentTemplate.text = nullptr;
    CurrentTemplate.size = 0;
    return 0;
}
