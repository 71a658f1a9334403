#include <cstdio>

#include "cli/commands.h"
#include "cli/template_source.h"
#include "foundation/files.h"

bool writeOutput(const std::string& path, const std::string& bytes) {
    if (path.empty()) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            std::fprintf(stderr, "Failed to write to file: standard output\n");
            return false;
        }
        return true;
    }
    if (bytes.size() > 0xFFFFFFFFu ||
        !writeFileAtomically(path.c_str(), bytes.data(), static_cast<uint32_t>(bytes.size()))) {
        std::fprintf(stderr, "%s: %s\n", lastErrorMessage().c_str(), path.c_str());
        return false;
    }
    return true;
}
