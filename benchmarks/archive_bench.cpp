// Opening Quenby-style archives: the whole data section is checksummed through one 64 KiB block.
// Reports the verification throughput (bytes per second) for a 64 MiB archive, and that of the
// CRC-32 alone over a block in memory (what an SFV of the release's volumes costs beyond reading).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "foundation/crc32.h"
#include "foundation/jam_archive.h"
#include "foundation/jam_writer.h"

namespace {

const size_t archiveDataSize = 64u << 20;

// A 64 MiB archive of sixteen 4 MiB entries, written once into the temporary folder.
class BenchArchive {
public:
    BenchArchive() {
        path = (std::filesystem::temp_directory_path() / "quenby-archive-bench.jam").string();
        std::vector<jam::Entry> entries(16);
        std::mt19937 random(7);
        for (size_t i = 0; i < entries.size(); ++i) {
            entries[i].name = "entry" + std::to_string(i) + ".bin";
            entries[i].data.resize(archiveDataSize / entries.size());
            for (uint8_t& byte : entries[i].data)
                byte = static_cast<uint8_t>(random());
        }
        std::string error;
        ready = jam::pack(path, entries, error);
        if (!ready)
            failure = error;
    }
    ~BenchArchive() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }

    std::string path;
    bool ready = false;
    std::string failure;
};

BenchArchive& benchArchive() {
    static BenchArchive archive;
    return archive;
}

void BM_OpenAndVerify64MiB(benchmark::State& state) {
    BenchArchive& archive = benchArchive();
    if (!archive.ready) {
        state.SkipWithError(archive.failure.c_str());
        return;
    }
    for (auto _ : state) {
        JamArchive reader;
        bool opened = reader.open(archive.path.c_str());
        benchmark::DoNotOptimize(opened);
        if (!opened) {
            state.SkipWithError("the archive did not open");
            break;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(archiveDataSize));
}
BENCHMARK(BM_OpenAndVerify64MiB)->Unit(benchmark::kMillisecond)->UseRealTime();

// The CRC-32 of a 1 MiB block in memory, the size the command line reads a file in: the fastest
// way this processor has (computeCrc32), then each way by itself (0 tables, 1 folding, 2 wide
// folding), where the processor has it.
void crc32OneMiB(benchmark::State& state, Crc32Way way, bool fastest) {
    if (!crc32WayAvailable(way)) {
        state.SkipWithError("this processor has not that way");
        return;
    }
    std::vector<uint8_t> block(1u << 20);
    std::mt19937 random(7);
    for (uint8_t& byte : block)
        byte = static_cast<uint8_t>(random());
    const uint32_t size = static_cast<uint32_t>(block.size());
    uint32_t crc = 0;
    for (auto _ : state) {
        crc = fastest ? computeCrc32(block.data(), size, crc)
                      : computeCrc32By(way, block.data(), size, crc);
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(block.size()));
}

void BM_Crc32OneMiB(benchmark::State& state) {
    crc32OneMiB(state, Crc32ByTables, true);
}
BENCHMARK(BM_Crc32OneMiB)->Unit(benchmark::kMicrosecond);

void BM_Crc32OneMiBByWay(benchmark::State& state) {
    crc32OneMiB(state, static_cast<Crc32Way>(state.range(0)), false);
}
BENCHMARK(BM_Crc32OneMiBByWay)->Unit(benchmark::kMicrosecond)->DenseRange(0, 2);

}  // namespace

BENCHMARK_MAIN();
