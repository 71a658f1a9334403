#include "engine/nfo_output.h"

#include "engine/nfo_generator.h"
#include "foundation/errors.h"

void beginOutput() {
    nfoOutput = "";
}

bool appendOutputLine(const char* line, uint32_t length) {
    (void)length;
    nfoOutput += line;
    nfoOutput += "\r\n";
    if (nfoOutput.chars() == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }
    return true;
}

bool finishOutput() {
    return true;
}

void discardOutput() {
    nfoOutput.clear();
}
