// Fuzzing harness of the command line's release-sheet reader: the input is a sheet. When it reads
// without problems it is rendered through the default template of the built Quenby.jam, and the
// result must be well formed (nfo_shape.h); a sheet with problems must name at least one.
#include <stdio.h>
#include <stdlib.h>

#include "engine/nfo_generator.h"
#include "foundation/framework.h"
#include "nfo_shape.h"
#include "sheets/generation.h"
#include "sheets/release_sheet.h"
#include "sheets/template_selector.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    frameworkStartup(PrimeNodePool);
    const char* archive = getenv("QUENBY_FUZZ_ARCHIVE");
    if (!loadDefaultTemplate(archive != nullptr ? archive : QUENBY_FUZZ_ARCHIVE)) {
        fprintf(stderr, "sheet_fuzz: no default template: %s\n", lastErrorMessage().c_str());
        exit(1);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordForm form;
    try {
        readReleaseSheet(std::string(reinterpret_cast<const char*>(data), size), "fuzz.toml", form);
    } catch (const SheetError& error) {
        fuzzshape::require(!error.problems().empty(), "a sheet error names no problem");
        return 0;
    }
    const Generation generation = generate(form);
    fuzzshape::checkGeneration(generation.succeeded, generation.text,
                               std::string(orEmpty(nfoOutput), nfoOutput.length()));
    return 0;
}
