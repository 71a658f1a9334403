#include "engine/nfo_output.h"

#include "engine/nfo_generator.h"
#include "foundation/errors.h"
#include "foundation/memory.h"

namespace {

// The text grows here, doubling its block as needed, so that a long NFO costs time in proportion
// to its length; nfoOutput, whose buffer is always sized exactly, receives it once at the end.
char* buffer = nullptr;
uint32_t capacity = 0;
uint32_t used = 0;

const uint32_t initialCapacity = 4096;

bool reserve(uint32_t needed) {
    if (needed <= capacity)
        return true;
    uint32_t grown = capacity != 0 ? capacity : initialCapacity;
    while (grown < needed) {
        if (grown > 0x7FFFFFFFu) {
            grown = needed;
            break;
        }
        grown *= 2;
    }
    char* moved = static_cast<char*>(memRealloc(buffer, capacity, grown));
    if (moved == nullptr)
        return false;
    buffer = moved;
    capacity = grown;
    return true;
}

void release() {
    memFree(buffer, capacity);
    buffer = nullptr;
    capacity = 0;
    used = 0;
}

}  // namespace

void beginOutput() {
    used = 0;
}

bool appendOutputLine(const char* line, uint32_t length) {
    // The line, CR LF and a terminator for the hand-over.
    if (length > 0xFFFFFFFFu - 3 - used || !reserve(used + length + 3)) {
        setLastError(OutOfMemory);
        return false;
    }
    memCopy(buffer + used, line, length);
    used += length;
    buffer[used++] = '\r';
    buffer[used++] = '\n';
    return true;
}

bool finishOutput() {
    if (buffer == nullptr) {
        nfoOutput = "";
    } else {
        // Lines never hold a NUL byte: the template reader ends a line there.
        buffer[used] = 0;
        nfoOutput = buffer;
    }
    release();
    if (nfoOutput.chars() == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }
    return true;
}

void discardOutput() {
    release();
}
