// The template catalogue: the default template in Quenby.jam and the loose *.ntf files of the
// current directory.
#pragma once

#include "foundation/jam_archive.h"
#include "foundation/list.h"
#include "foundation/string.h"

// The selector's name for the archive's "Default.ntf".
extern const char* const defaultTemplateName;

// Loose template names as shown (file name less ".ntf"), items are heap Strings, discovery order.
extern List templateNames;
// The one process-wide archive, opened by buildCatalogue and kept open.
extern JamArchive templateArchive;

// Opens Quenby.jam, loads "<Default>" and lists the loose templates; false with LastError set.
bool buildCatalogue();
// Adds the loose templates of the current directory (files *.ntf) to templateNames; false with
// OutOfMemory recorded when a name cannot be kept.
bool findTemplateNames();
// Loads the named template into CurrentTemplate: "<Default>" from the archive, any other name T
// from the file T.ntf in the current directory. On false no template text is loaded.
bool loadTemplate(String name);
// Loads the template file at path into CurrentTemplate under displayName, which is also the file
// name in the failure messages. On false no template text is loaded; the name stays set.
bool loadTemplateFile(const char* path, const char* displayName);
// Replaces CurrentTemplate by a copy of size bytes (which may hold NUL bytes) named name, for
// templates that come from elsewhere (tests, benchmarks); false with OutOfMemory recorded, and
// then no template text is loaded.
bool loadTemplateBytes(const void* bytes, uint32_t size, const char* name);
// Releases the current template's text, leaving none loaded.
void unloadTemplate();
// Destroys the names and releases the current template's text.
void releaseCatalogue();
