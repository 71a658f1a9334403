// The subcommands of quenby. Each registers itself with the command line and runs when chosen;
// run returns the exit code.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

#include "cli/nfo_picture.h"

// Exit codes: success, a failed generation or template problems found, and unusable input (a bad
// sheet, a template or archive that cannot be loaded, a file that cannot be written).
enum ExitCode { ExitSuccess = 0, ExitFailed = 1, ExitBadInput = 2 };

class RenderCommand {
public:
    explicit RenderCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    CLI::App* app;
    std::string templatePath;
    std::string archive;
    std::string output;
    std::string png;
    std::string html;
    std::string sheet;
    std::string scale;
    std::string cell;
    std::string colours;
    PictureStyle style;
    bool utf8 = false;
    bool ascii = false;
    bool dark = false;
};

class CheckCommand {
public:
    explicit CheckCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    CLI::App* app;
    std::vector<std::string> templates;
    bool strict = false;
};

class TemplatesCommand {
public:
    explicit TemplatesCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    CLI::App* app;
    std::string archive;
};

class SheetCommand {
public:
    explicit SheetCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    CLI::App* app;
    std::string file;
    std::string from;
};

class SfvCommand {
public:
    explicit SfvCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    int check();

    CLI::App* app;
    std::vector<std::string> paths;
    std::string output;
    std::vector<std::string> sfvs;
    bool quiet = false;
};

class JamCommand {
public:
    explicit JamCommand(CLI::App& parent);
    bool chosen() const { return app->parsed(); }
    int run();

private:
    int list();
    int extract();
    int pack();

    CLI::App* app;
    CLI::App* listApp;
    CLI::App* extractApp;
    CLI::App* packApp;
    std::string archive;
    std::string entryName;
    std::string output;
    std::vector<std::string> files;
};

// Writes bytes to the file at path (whole or not at all) or, for an empty path, to standard
// output; false after printing why.
bool writeOutput(const std::string& path, const std::string& bytes);

struct OutputFile {
    std::string path;
    // Writes the file's bytes to the sink; false when the sink refused a piece.
    std::function<bool(const ByteSink&)> write;
};
// An OutputFile writing bytes, which must outlive it.
OutputFile outputOf(const std::string& path, const std::string& bytes);
// Writes every file whole or none of them: each is written beside its place first, and only when
// all are written do they take their places, the files they replace kept aside until the last
// has moved, so that a move that fails puts back those made before it. False after printing why.
bool writeOutputFiles(const std::vector<OutputFile>& files);
