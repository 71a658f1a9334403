#include "foundation/jam_archive.h"

#include "foundation/memory.h"

JamArchive::JamArchive() : file(noFile), directory(nullptr), directorySize(0) {
    memFill(header, 0, jamHeaderSize);
}

JamArchive::~JamArchive() { close(); }

bool JamArchive::open(const char* fileName) {
    path = fullPathName(fileName);
    return false;
}

const uint8_t* JamArchive::find(const char*) const { return nullptr; }

uint8_t* JamArchive::read(const char*, uint32_t& size) {
    size = 0;
    return nullptr;
}

void JamArchive::close() {
    if (file != noFile) closeFile(file);
    file = noFile;
    memFree(directory, directorySize);
    directory = nullptr;
    directorySize = 0;
    memFill(header, 0, jamHeaderSize);
}
