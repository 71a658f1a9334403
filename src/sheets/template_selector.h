// The template selector's entries and the loaders every front end uses: the archive's default
// template and a template file, both into CurrentTemplate.
#pragma once

#include <string>
#include <vector>

// Opens the archive (verified whole) and loads its default template into CurrentTemplate under
// the name "<Default>". False with LastError set: the archive reader's message when the archive
// cannot be opened, "Quenby.jam is corrupt!" when it holds no usable default template.
bool loadDefaultTemplate(const std::string& archive);

// Loads a template file into CurrentTemplate under displayName; false with the loader's message in
// LastError ("Failed to open file: ", "File is empty: " and the name...).
bool loadTemplateFromFile(const std::string& path, const std::string& displayName);

// The template selector's entries: "<Default>", the catalogue's loose templates (templateNames)
// and the extra names not among them, sorted as the selector sorts, letter case ignored.
std::vector<std::string> selectorEntries(const std::vector<std::string>& extra);

// LastError's message, for printing.
std::string lastErrorMessage();
