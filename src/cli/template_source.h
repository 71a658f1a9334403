// Where the tool's commands find their template: a template file named on the command line, or
// the default template inside Quenby.jam.
#pragma once

#include <string>
#include <vector>

#include "sheets/template_selector.h"

// The folder of the tool's own archive and templates: beside the executable, else ../share/quenby/
// from it (where the Debian package installs them), else the folder above it (the Windows zip's
// program folder, above cli\), whichever first holds Quenby.jam; empty if none does.
std::string installedFolder();

// The archive to use: the --archive option when given, else Quenby.jam in the installed folder,
// else Quenby.jam in the current folder.
std::string archiveLocation(const std::string& archiveOption);

// The names (less ".ntf") of the loose templates in the installed folder, in discovery order.
std::vector<std::string> installedTemplateNames();

// Loads the template a --template value names: that file when it exists or when the value names a
// folder; for a bare name otherwise NAME.ntf here, else NAME or NAME.ntf in the installed folder,
// else the value as given (whose loading then fails under its own name). The template is named
// after the file found; false with the loader's message in LastError.
bool loadTemplateOption(const std::string& option);
