#include "cli/progress.h"

#include <cstdio>

#include "cli/process_io.h"

namespace {

// "812 B", "1.2 KiB", ... "3.5 TiB".
std::string bytesText(double bytes) {
    const char* const units[] = {"B", "KiB", "MiB", "GiB", "TiB"};
    int unit = 0;
    while (bytes >= 1024 && unit < 4) {
        bytes /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", bytes, units[unit]);
    return text;
}

// "0:48", "12:05" or "1:02:03".
std::string timeText(double seconds) {
    const unsigned long total = static_cast<unsigned long>(seconds + 0.5);
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%lu:%02lu:%02lu", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%lu:%02lu", total / 60, total % 60);
    return text;
}

}  // namespace

Progress::Progress(uint64_t total, bool quiet)
    : shown(!quiet && isTerminal(stderr)),
      total(total),
      start(Clock::now()),
      drawn(start - std::chrono::seconds(1)) {}  // the first bytes draw the line

void Progress::add(uint64_t bytes) {
    done += bytes;
    const Clock::time_point now = Clock::now();
    if (!shown || now - drawn < std::chrono::milliseconds(100))
        return;
    drawn = now;
    const double seconds = std::chrono::duration<double>(now - start).count();
    const double speed = done / seconds;
    std::string line = bytesText(double(done)) + " of " + bytesText(double(total)) + ", " +
                       bytesText(speed) + "/s, ";
    line += speed > 0 && done <= total ? timeText((total - done) / speed) + " left" : "--:-- left";
    const size_t length = line.size();
    if (line.size() < width)
        line.append(width - line.size(), ' ');
    width = length;
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
}

void Progress::clear() {
    if (width == 0)
        return;
    std::fprintf(stderr, "\r%s\r", std::string(width, ' ').c_str());
    std::fflush(stderr);
    width = 0;
}
