// Fuzzing harness of the SFV reader: the input is an SFV. Every row it yields has a name; a name
// the reader accepts leads to a path inside the SFV's folder, never to the folder itself or above
// it; and the accepted rows, written as an SFV, read back the same.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cli/sfv.h"

namespace {

void require(bool kept, const char* what) {
    if (!kept) {
        std::fprintf(stderr, "the SFV reader breached its rules: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string folder = "/no-such-sfv-folder";
    std::vector<std::string> problems;
    const std::vector<SfvRow> rows =
        parseSfv(std::string(reinterpret_cast<const char*>(data), size), "fuzz.sfv", problems);
    std::vector<SfvRow> accepted;
    for (const SfvRow& row : rows) {
        require(!row.name.empty(), "a row without a name");
        if (!sfvNameProblem(row.name).empty())
            continue;
        const std::string path =
            std::filesystem::path(sfvRowPath(folder, row.name)).lexically_normal().string();
        require(path.compare(0, folder.size() + 1, folder + "/") == 0 &&
                    path.size() > folder.size() + 1,
                "an accepted name leads out of the SFV's folder");
        accepted.push_back(row);
    }
    const std::vector<SfvRow> again = parseSfv(sfvText(accepted), "again.sfv", problems);
    require(again.size() == accepted.size(), "the rows written read back as other rows");
    for (size_t i = 0; i < again.size(); ++i) {
        require(again[i].name == accepted[i].name && again[i].crc == accepted[i].crc,
                "a row written reads back otherwise");
    }
    return 0;
}
