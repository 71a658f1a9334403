// What the browser page does at every change of the form, natively: the example sheet's form
// through the default template, and the picture's line index. benchmarks/page_bench.js times the
// same in the page, in headless chromium, and gives the ratio.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "catalogue/template_catalogue.h"
#include "sheets/generation.h"
#include "sheets/nfo_picture_rows.h"
#include "sheets/release_sheet.h"

static void BM_PageGeneration(benchmark::State& state) {
    std::ifstream sheet(QUENBY_SOURCE_DIR "/examples/release.toml", std::ios::binary);
    std::stringstream text;
    text << sheet.rdbuf();
    RecordForm form;
    readReleaseSheet(text.str(), "release.toml", form);
    if (!loadTemplateFile(QUENBY_SOURCE_DIR "/templates/Default.ntf", defaultTemplateName))
        state.SkipWithError("the default template cannot be loaded");
    for (auto _ : state) {
        Generation generation = generate(form);
        NfoPictureRows rows(generation.text);
        benchmark::DoNotOptimize(rows.height());
    }
}
BENCHMARK(BM_PageGeneration)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
