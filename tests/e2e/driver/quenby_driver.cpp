// quenby_driver: drives the windows of Quenby.exe from outside, for the end-to-end tests.
//
//   quenby_driver.exe [-t SECONDS] [-m TITLE] COMMAND ARGS... [; COMMAND ARGS...]
//   quenby_driver.exe [-t SECONDS] [-m TITLE] [-f SCRIPT | -]
//
// With no command (or "-") it reads commands from standard input, one a line; "#" starts a
// comment line. The first failing command stops the run with its exit code (see ExitCode).
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "driver_support.h"
#include "driver_windows.h"

// Arguments are not wildcard-expanded: "*.nfo" reaches the driver as it was written.
extern "C" {
int _dowildcard = 0;
}

namespace driver {
namespace {

const Command* findCommand(const std::string& name) {
    for (const auto* list : {&formCommands(), &sessionCommands()}) {
        for (const Command& command : *list) {
            if (name == command.name)
                return &command;
        }
    }
    return nullptr;
}

void printHelp(FILE* out) {
    fprintf(
        out,
        "usage: quenby_driver.exe [-t SECONDS] [-m TITLE] COMMAND ARGS... [; COMMAND ARGS...]\n"
        "       quenby_driver.exe [-t SECONDS] [-m TITLE] [-f SCRIPT | -]   (commands one a line)\n"
        "P is a page (tab position, or main), ID a control id. TEXT takes \\xHH \\n \\r \\t \\0 "
        "\\\\.\n"
        "Exit codes: 0 ok, 1 usage, 2 not found in time, 3 action failed, 4 mismatch.\n");
    for (const auto* list : {&formCommands(), &sessionCommands()}) {
        for (const Command& command : *list) {
            fprintf(out, "  %-17s %-26s %s\n", command.name, command.usage, command.summary);
        }
    }
}

void run(const std::vector<std::string>& words) {
    if (words[0] == "help") {
        printHelp(stdout);
        return;
    }
    const Command* command = findCommand(words[0]);
    if (!command)
        fail(kExitUsage, "unknown command (try help)");
    Arguments arguments(words.begin() + 1, words.end());
    int count = static_cast<int>(arguments.size());
    if (count < command->minArguments || count > command->maxArguments) {
        fail(kExitUsage, "usage: %s %s", command->name, command->usage);
    }
    command->run(arguments);
}

// Runs one command; on failure prints where and why and returns the exit code.
int runReporting(const std::vector<std::string>& words, const std::string& where) {
    try {
        run(words);
        return kExitOk;
    } catch (const Failure& failure) {
        fflush(stdout);
        fprintf(stderr, "quenby_driver: %s%s: %s\n", where.c_str(), words[0].c_str(),
                failure.message.c_str());
        return failure.code;
    }
}

int runScript(FILE* input, const char* name) {
    char buffer[65536];
    int lineNumber = 0;
    while (fgets(buffer, sizeof buffer, input)) {
        ++lineNumber;
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        std::string where = std::string(name) + ":" + std::to_string(lineNumber) + ": ";
        std::vector<std::string> words;
        try {
            words = splitWords(line);
        } catch (const Failure& failure) {
            fprintf(stderr, "quenby_driver: %s%s\n", where.c_str(), failure.message.c_str());
            return failure.code;
        }
        int code = runReporting(words, where);
        if (code != kExitOk)
            return code;
    }
    return kExitOk;
}

int runArguments(int argc, char** argv, int first) {
    std::vector<std::string> words;
    for (int i = first; i <= argc; ++i) {
        if (i == argc || strcmp(argv[i], ";") == 0) {
            if (words.empty())
                continue;
            int code = runReporting(words, "");
            if (code != kExitOk)
                return code;
            words.clear();
        } else {
            words.push_back(argv[i]);
        }
    }
    return kExitOk;
}

int mainWithOptions(int argc, char** argv) {
    int i = 1;
    const char* script = nullptr;
    try {
        for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
            std::string option = argv[i];
            if (i + 1 >= argc)
                fail(kExitUsage, "%s needs a value", option.c_str());
            if (option == "-t") {
                settings().waitSeconds = parseSeconds(argv[++i]);
            } else if (option == "-m") {
                settings().mainTitle = argv[++i];
            } else if (option == "-f") {
                script = argv[++i];
            } else {
                fail(kExitUsage, "unknown option %s", option.c_str());
            }
        }
    } catch (const Failure& failure) {
        fprintf(stderr, "quenby_driver: %s\n", failure.message.c_str());
        printHelp(stderr);
        return failure.code;
    }
    if (script) {
        FILE* file = fopen(hostPath(script).c_str(), "rb");
        if (!file) {
            fprintf(stderr, "quenby_driver: cannot open %s\n", script);
            return kExitUsage;
        }
        int code = runScript(file, script);
        fclose(file);
        return code;
    }
    if (i == argc || (i + 1 == argc && strcmp(argv[i], "-") == 0))
        return runScript(stdin, "stdin");
    return runArguments(argc, argv, i);
}

}  // namespace
}  // namespace driver

int main(int argc, char** argv) {
    // Texts are bytes: no CR LF translation on the way out or in.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    return driver::mainWithOptions(argc, argv);
}
