#include "cli/process_io.h"

bool readStream(std::FILE* stream, std::string& contents) {
    char buffer[65536];
    for (;;) {
        size_t got = std::fread(buffer, 1, sizeof buffer, stream);
        contents.append(buffer, got);
        if (got < sizeof buffer)
            return !std::ferror(stream);
    }
}
