// Shared pieces of the end-to-end driver: failures and their exit codes, the settings every
// command reads, text escapes, word splitting and the command results.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "version.h"

namespace driver {

// Exit codes of the driver; a script stops at its first failure.
enum ExitCode {
    kExitOk = 0,
    kExitUsage = 1,     // unknown command, wrong arguments, bad escape, unreadable script
    kExitNotFound = 2,  // a window, page, control, item or box was not there in time
    kExitFailed = 3,    // an action failed: no answer, disabled control, clipboard, file
    kExitMismatch = 4,  // expect, wait-text, wait-enabled or no-window saw something else
};

struct Failure {
    int code;
    std::string message;
};

// Throws a Failure with a printf-style message.
[[noreturn]] void fail(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));

struct Settings {
    double waitSeconds = 10;           // how long lookups of windows, boxes and texts poll
    unsigned messageTimeoutMs = 5000;  // how long one message may take to be answered
    std::string mainTitle = QUENBY_VERSION_LINE;
};
Settings& settings();

// Polls `done` every 10 ms until it returns true or `seconds` have passed.
template <typename Condition>
bool pollUntil(double seconds, Condition done) {
    DWORD start = GetTickCount();
    DWORD limit = static_cast<DWORD>(seconds * 1000);
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= limit)
            return false;
        Sleep(10);
    }
}

// "\xC9", "\n", "\r", "\t", "\0", "\\" and "\"" in a text argument become their bytes.
std::string decodeEscapes(const std::string& text);
// Bytes as readable text: printable ASCII stays, everything else becomes \xHH (or \n, \r, \t).
std::string escapeBytes(const std::string& bytes);
std::string toHex(const std::string& bytes);
// Splits a script line into words; "..." and '...' group words, backslashes stay for
// decodeEscapes (a \" does not end a double-quoted word).
std::vector<std::string> splitWords(const std::string& line);
// A path for the Windows side: "/tmp/x" becomes "Z:\tmp\x"; other paths are kept.
std::string hostPath(const std::string& path);
long parseNumber(const std::string& word, const char* what);
double parseSeconds(const std::string& word);
// The optional seconds argument at `index`; settings().waitSeconds when it is not given.
double secondsArgument(const std::vector<std::string>& arguments, size_t index);

// Prints bytes and a line feed on standard output and keeps them as the last result.
void emit(const std::string& bytes);
// Keeps bytes as the last result, and prints them in hex with a line feed.
void emitHex(const std::string& bytes);
// Keeps bytes as the last result without printing them.
void setResult(const std::string& bytes);
const std::string& lastResult();

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);

}  // namespace driver
