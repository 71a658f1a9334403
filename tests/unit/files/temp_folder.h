// Test helpers: a scratch folder that is removed afterwards, and a change of the current
// directory that is undone afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A new, empty folder under the system's temporary folder; removed with its contents at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return root; }
    // The path of name inside the folder.
    std::string at(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    void makeFolder(const std::string& name) const;
    // The names of everything in the folder, sorted.
    std::vector<std::string> names() const;

private:
    std::string root;
};

// Makes folder the current directory for the object's lifetime.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

    // The absolute path that the file name has in the current directory, as the platform spells it.
    static std::string pathOf(const std::string& name);

private:
    std::string previous;
};

extern const char pathSeparator;
