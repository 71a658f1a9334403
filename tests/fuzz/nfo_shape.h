// What every generation must leave behind, whatever its input: an NFO whose every line has at most
// 79 characters and ends with CR LF, or, with no NFO kept, a framed failure report of at most 4095
// characters that ends with the number of a template line. A breach prints what was wrong and
// aborts, so that the fuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzshape {

inline void require(bool kept, const char* what) {
    if (!kept) {
        std::fprintf(stderr, "generation breached its shape: %s\n", what);
        std::abort();
    }
}

// succeeded: the output commands were enabled; shown: what the preview box shows (the report on
// failure); output: nfoOutput afterwards.
inline void checkGeneration(bool succeeded, const std::string& shown, const std::string& output) {
    if (succeeded) {
        for (size_t start = 0, end; start < output.size(); start = end + 1) {
            end = output.find('\n', start);
            require(end != std::string::npos, "the last line has no CR LF");
            require(end != start && output[end - 1] == '\r', "a line ends with LF alone");
            require(end - 1 - start <= 79, "a line is longer than 79 characters");
        }
        return;
    }
    const std::string head =
        "\r\n     -----------------------\r\n    | NFO GENERATION FAILED |\r\n"
        "     -----------------------\r\n\r\nERROR:\r\n";
    const std::string label = "\r\nLine:     ";
    const size_t digits = shown.rfind(label) + label.size();
    require(output.empty(), "a failed generation kept an NFO");
    require(shown.size() <= 4095, "the failure report is longer than 4095 characters");
    require(shown.compare(0, head.size(), head) == 0, "the report does not start with the frame");
    require(shown.rfind(label) != std::string::npos && digits < shown.size() &&
                shown.find_first_not_of("0123456789", digits) == std::string::npos,
            "the failure report does not end with a line number");
}

}  // namespace fuzzshape
