// The progress of long work on standard error: one line, redrawn at most ten times a second,
// with the bytes done, the total, the speed and the time left ("1.2 GiB of 40.0 GiB, 812 MiB/s,
// 0:48 left"). It is drawn only when standard error is a terminal and the user did not ask for
// quiet; a file or a pipe gets no line.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class Progress {
public:
    // A progress over total bytes; quiet draws nothing.
    Progress(uint64_t total, bool quiet);
    ~Progress() { clear(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Counts bytes more as done, and redraws the line when a tenth of a second has passed.
    void add(uint64_t bytes);
    // Takes the line away (before other output; the next add draws it again).
    void clear();

private:
    using Clock = std::chrono::steady_clock;

    bool shown;
    uint64_t total;
    uint64_t done = 0;
    Clock::time_point start;
    Clock::time_point drawn;
    size_t width = 0;  // of the line on the screen, 0 when there is none
};
