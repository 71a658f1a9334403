// Drawing and encoding an NFO picture of state.range(0) lines: the time per line at 100,000 lines
// should stay within twice that at 1,000, the rows being encoded as they are drawn.
#include <benchmark/benchmark.h>

#include <string>

#include "cli/nfo_picture.h"

static void BM_PictureLines(benchmark::State& state) {
    std::string text;
    for (long i = 0; i < state.range(0); ++i)
        text += "  \xDB\xB2\xB1\xB0 line " + std::to_string(i) +
                " of a long comment \xB0\xB1\xB2\xDB\r\n";
    for (auto _ : state) {
        size_t bytes = 0;
        NfoPicture(text, PictureStyle()).write([&bytes](const void*, size_t size) {
            bytes += size;
            return true;
        });
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));  // lines a second
}
BENCHMARK(BM_PictureLines)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
