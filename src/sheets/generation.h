// One run of the template engine over CurrentTemplate, with its outcome kept for the tool.
#pragma once

#include <cstdint>
#include <string>

#include "engine/release_form.h"

struct Generation {
    bool succeeded = false;
    // The NFO bytes (CR LF line ends) on success, the framed failure report otherwise.
    std::string text;
    // On failure: the engine's message and the template line it names.
    std::string message;
    uint32_t line = 0;
};

Generation generate(const ReleaseForm& form);
