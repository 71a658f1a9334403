// StagedFile's move into place, the same on every platform; the rest is in files_posix.cpp and
// files_win32.cpp.
#include "foundation/errors.h"
#include "foundation/files.h"
#include "foundation/files_platform.h"

Linked (*keepAsideLink)(const char* from, const char* to) = linkFile;

bool StagedFile::place(String* keptAside) {
    if (!finish())
        return false;
    const char* path = target.chars();
    bool moved = true;
    if (keptAside != nullptr) {
        // A second link to the old file, so that its place is never empty; where the file system
        // has no links, the old file itself moves aside.
        keptAside->clear();
        const Entry old = entryAt(path);
        Linked linked = old == Entry::File ? Linked::NameTaken : Linked::Failed;
        for (uint32_t attempt = 0; attempt < 100 && linked == Linked::NameTaken; ++attempt) {
            keptAside->format("%s.%lu-%u.old", path, processNumber(), attempt);
            if (keptAside->chars() == nullptr)
                break;
            linked = keepAsideLink(path, keptAside->chars());
            if (linked == Linked::Failed && moveFile(path, keptAside->chars()))
                linked = Linked::Done;
        }
        moved = old == Entry::None || linked == Linked::Done;
        if (linked != Linked::Done)
            keptAside->clear();
    }
    if (moved && !moveFile(temporary.chars(), path)) {
        moved = false;
        if (keptAside != nullptr && !keptAside->isEmpty()) {
            if (entryAt(path) == Entry::None)
                moveFile(keptAside->chars(), path);
            else
                removeFile(keptAside->chars());
            keptAside->clear();
        }
    }
    if (!moved) {
        discard();
        setLastError(FileMoveFailed);
        return false;
    }
    temporary.clear();
    return true;
}

bool writeFileAtomically(const char* path, const void* data, uint32_t size) {
    StagedFile file;
    return file.open(path) && file.write(data, size) && file.place();
}
