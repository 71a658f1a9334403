#include "catalogue/template_catalogue.h"

#include <new>

#include "catalogue/current_template.h"
#include "foundation/errors.h"
#include "foundation/files.h"
#include "foundation/memory.h"

const char* const defaultTemplateName = "<Default>";

namespace {

const char* const archiveFileName = "Quenby.jam";
const char* const defaultEntryName = "Default.ntf";
const char* const templateExtension = ".ntf";
const uint32_t templateExtensionLength = 4;

// Adds one found file to templateNames under its name less the extension; false when out of
// memory, which ends the search.
bool addTemplateName(const char* fileName, void* /*context*/) {
    String* name = new (std::nothrow) String(fileName);
    if (name == nullptr || name->chars() == nullptr) {
        delete name;
        setLastError(OutOfMemory);
        return false;
    }
    *name = name->left(name->length() - templateExtensionLength);
    if (name->chars() == nullptr || !templateNames.append(name)) {
        delete name;
        setLastError(OutOfMemory);
        return false;
    }
    return true;
}

void destroyTemplateName(List& list, ListNode* node, void* /*context*/) {
    delete static_cast<String*>(node->item);
    node->item = nullptr;
    (void)list;
}

bool loadDefaultTemplate(const String& name) {
    uint32_t size = 0;
    uint8_t* block = templateArchive.read(defaultEntryName, size);
    CurrentTemplate.size = size;
    CurrentTemplate.text = reinterpret_cast<char*>(block);
    if (block == nullptr || size == 0) {
        // Whatever the reader recorded, the user is told the archive is at fault.
        setLastError(CustomError, "Quenby.jam is corrupt!");
        unloadTemplate();
        return false;
    }
    CurrentTemplate.name = name;
    if (CurrentTemplate.name.chars() == nullptr) {
        setLastError(OutOfMemory);
        unloadTemplate();
        return false;
    }
    return true;
}

// Reads a stream that cannot be measured into CurrentTemplate, the block growing as bytes come.
bool readToEnd(FileHandle file, const char* displayName) {
    const uint32_t step = 65536;
    char* text = nullptr;
    uint32_t capacity = 0, size = 0;
    for (;;) {
        if (capacity - size < step) {
            char* grown = capacity <= 0xFFFFFFFFu - step
                              ? static_cast<char*>(memRealloc(text, capacity, capacity + step))
                              : nullptr;
            if (grown == nullptr) {
                memFree(text, capacity);
                setLastError(OutOfMemory);
                return false;
            }
            text = grown;
            capacity += step;
        }
        uint32_t got = 0;
        if (!readFile(file, text + size, capacity - size, &got)) {
            memFree(text, capacity);
            setLastError(FileReadFailed, ": ", displayName);
            return false;
        }
        if (got == 0)
            break;
        size += got;
    }
    char* whole = size != 0 ? static_cast<char*>(memRealloc(text, capacity, size)) : nullptr;
    if (whole == nullptr) {
        memFree(text, capacity);
        if (size == 0)
            setLastError(CustomError, "File is empty: ", displayName);
        else
            setLastError(OutOfMemory);
        return false;
    }
    CurrentTemplate.text = whole;
    CurrentTemplate.size = size;
    return true;
}

bool loadFile(const char* path, const char* displayName, uint32_t openFlags) {
    unloadTemplate();
    if (displayName == nullptr)
        displayName = path;
    CurrentTemplate.name = displayName;
    if (CurrentTemplate.name.chars() == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }

    FileHandle file = path != nullptr ? openFileForReading(path, openFlags) : noFile;
    if (file == noFile) {
        setLastError(FileOpenFailed, ": ", displayName);
        return false;
    }
    uint64_t size = 0;
    bool loaded = false;
    if (!seekFile(file, 0, SeekFromEnd, &size)) {
        // A pipe the user names cannot be measured: it is read to its end instead. What the
        // catalogue found for itself is a regular file, which must measure.
        if ((openFlags & OpenRegularOnly) != 0)
            setLastError(FileSeekFailed, ": ", displayName);
        else
            loaded = readToEnd(file, displayName);
    } else if (size == 0) {
        setLastError(CustomError, "File is empty: ", displayName);
    } else if (!seekFile(file, 0, SeekFromStart, nullptr)) {
        setLastError(FileSeekFailed, ": ", displayName);
    } else if (size > 0xFFFFFFFFu) {
        // A template of 4 GiB or more cannot be held in one block; taking only the low 32 bits
        // of its size would load a fragment as if it were the whole.
        setLastError(OutOfMemory);
    } else {
        CurrentTemplate.size = static_cast<uint32_t>(size);
        CurrentTemplate.text = static_cast<char*>(memAlloc(CurrentTemplate.size));
        if (CurrentTemplate.text == nullptr) {
            setLastError(OutOfMemory);
        } else if (!readExactly(file, CurrentTemplate.text, CurrentTemplate.size)) {
            setLastError(FileReadFailed, ": ", displayName);
        } else {
            loaded = true;
        }
    }
    if (!loaded)
        unloadTemplate();
    closeFile(file);
    return loaded;
}

}  // namespace

bool buildCatalogue() {
    if (!templateArchive.open(archiveFileName)) {
        setLastError(FileNotFound, ": ", archiveFileName);
        return false;
    }
    if (!loadTemplate(String(defaultTemplateName)))
        return false;
    return findTemplateNames();
}

bool findTemplateNames() {
    return findFiles(templateExtension, addTemplateName, nullptr);
}

// A null name is an allocation that failed on the caller's side: it names no template, and must
// not be taken for the file ".ntf" (whose name is the zero-length one).
bool loadTemplate(String name) {
    unloadTemplate();
    if (name.chars() == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }
    if (name.equals(defaultTemplateName))
        return loadDefaultTemplate(name);
    String fileName = name + templateExtension;
    if (fileName.chars() == nullptr) {
        setLastError(OutOfMemory);
        return false;
    }
    // A loose template the catalogue found for itself must be a regular file: a pipe or a device
    // under that name is refused at once rather than waited on.
    return loadFile(fileName.chars(), fileName.chars(), OpenRegularOnly);
}

bool loadTemplateFile(const char* path, const char* displayName) {
    return loadFile(path, displayName, OpenShared);
}

void unloadTemplate() {
    memFree(CurrentTemplate.text, CurrentTemplate.size);
    CurrentTemplate.text = nullptr;
    CurrentTemplate.size = 0;
}

bool loadTemplateBytes(const void* bytes, uint32_t size, const char* name) {
    unloadTemplate();
    CurrentTemplate.name = name;
    char* copy = static_cast<char*>(memAlloc(size));
    if (copy == nullptr || CurrentTemplate.name.chars() == nullptr) {
        memFree(copy, size);
        setLastError(OutOfMemory);
        return false;
    }
    memCopy(copy, bytes, size);
    CurrentTemplate.text = copy;
    CurrentTemplate.size = size;
    return true;
}

void releaseCatalogue() {
    forEachNode(templateNames, destroyTemplateName, nullptr);
    templateNames.clear();
    unloadTemplate();
}
