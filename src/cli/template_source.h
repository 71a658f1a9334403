// Where the tool's commands find their template: a template file named on the command line, or
// the default template inside Quenby.jam.
#pragma once

#include <string>

// The archive to use: the --archive option when given, else Quenby.jam beside the executable when
// it exists there, else Quenby.jam in the current folder.
std::string archiveLocation(const std::string& archiveOption);

// Opens the archive (verified whole) and loads its default template into CurrentTemplate under
// the name "<Default>". False with LastError set: the archive reader's message when the archive
// cannot be opened, "Quenby.jam is corrupt!" when it holds no usable default template.
bool loadDefaultTemplate(const std::string& archive);

// Loads a template file into CurrentTemplate under displayName; false with the loader's message in
// LastError ("Failed to open file: ", "File is empty: " and the name...).
bool loadTemplateFromFile(const std::string& path, const std::string& displayName);

// LastError's message, for printing.
std::string lastErrorMessage();
