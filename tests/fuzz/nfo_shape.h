// What every generation must leave behind, whatever its input: either an NFO whose every line has
// at most 79 characters and ends with CR LF, or a framed failure report of at most 4095 characters
// that ends with the number of a template line. A harness calls checkGeneration after each run;
// a breach prints what was wrong and aborts, so the fuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzshape {

const char* const reportHead =
    "\r\n     -----------------------\r\n    | NFO GENERATION FAILED |\r\n"
    "     -----------------------\r\n\r\nERROR:\r\n";
const char* const reportLineLabel = "\r\nLine:     ";
const size_t reportLimit = 4095;
const size_t lineWidth = 79;

[[noreturn]] inline void breach(const char* what, const std::string& text) {
    std::fprintf(stderr, "generation breached its shape: %s (%zu bytes of text)\n", what,
                 text.size());
    std::abort();
}

inline void checkNfo(const std::string& nfo) {
    size_t start = 0;
    while (start < nfo.size()) {
        size_t end = nfo.find('\n', start);
        if (end == std::string::npos)
            breach("the last line has no CR LF", nfo);
        if (end == start || nfo[end - 1] != '\r')
            breach("a line ends with LF alone", nfo);
        if (end - 1 - start > lineWidth)
            breach("a line is longer than 79 characters", nfo);
        start = end + 1;
    }
}

inline void checkReport(const std::string& report) {
    if (report.size() > reportLimit)
        breach("the failure report is longer than 4095 characters", report);
    if (report.compare(0, std::string(reportHead).size(), reportHead) != 0)
        breach("the failure report does not start with the frame", report);
    size_t label = report.rfind(reportLineLabel);
    if (label == std::string::npos)
        breach("the failure report has no Line: label", report);
    size_t digits = label + std::string(reportLineLabel).size();
    if (digits == report.size() ||
        report.find_first_not_of("0123456789", digits) != std::string::npos)
        breach("the failure report does not end with a line number", report);
}

// succeeded: the output commands were enabled. shown: the NFO on success, else what the preview
// box shows; output: nfoOutput afterwards.
inline void checkGeneration(bool succeeded, const std::string& shown, const std::string& output) {
    if (succeeded) {
        checkNfo(output);
    } else {
        if (!output.empty())
            breach("a failed generation kept an NFO", output);
        checkReport(shown);
    }
}

}  // namespace fuzzshape
