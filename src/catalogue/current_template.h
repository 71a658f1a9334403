// CurrentTemplate: the one template loaded now, handed from the catalogue to the engine.
#pragma once

#include <cstdint>

#include "foundation/string.h"

struct CurrentTemplateRecord {
    CurrentTemplateRecord() : text(nullptr), size(0) {}
    // The template's bytes exactly as stored (no terminator), owned, or null when none is loaded.
    char* text;
    uint32_t size;
    // "<Default>", or a loose template's file name ending in ".ntf".
    String name;
};

extern CurrentTemplateRecord CurrentTemplate;
