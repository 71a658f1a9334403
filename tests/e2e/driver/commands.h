// The driver's commands. Each takes its words after the command name; TEXT arguments are
// decoded with decodeEscapes, paths and titles are taken as they are.
#pragma once

#include <string>
#include <vector>

namespace driver {

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;  // the arguments, as shown by `help`
    int minArguments;
    int maxArguments;
    void (*run)(const Arguments& arguments);
    const char* summary;
};

// Commands on the main window, its tabs, pages and controls.
const std::vector<Command>& formCommands();
// Commands on boxes, the save dialog, the clipboard, the process and the script itself.
const std::vector<Command>& sessionCommands();

}  // namespace driver
