// Test helpers: a scratch folder that is removed afterwards, and a change of the current
// directory that is undone afterwards.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline const char pathSeparator = char(std::filesystem::path::preferred_separator);

// A new, empty folder under the system's temporary folder, spelled as the platform spells the
// current directory so that paths in messages match; removed with its contents at the end.
class TempFolder {
public:
    TempFolder() {
        namespace fs = std::filesystem;
        auto n = std::chrono::steady_clock::now().time_since_epoch().count();
        fs::path made;
        while (!fs::create_directory(made = fs::temp_directory_path() /
                                            ("quenby-" + std::to_string(n++)))) {
        }
        root = fs::canonical(made).string();
    }
    ~TempFolder() { std::filesystem::remove_all(root, ignored); }

    const std::string& path() const { return root; }
    std::string at(const std::string& name) const { return root + pathSeparator + name; }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(at(name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(at(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void makeFolder(const std::string& name) const { std::filesystem::create_directory(at(name)); }

private:
    std::string root;
    std::error_code ignored;
};

// Makes folder the current directory for the object's lifetime.
struct CurrentFolder {
    explicit CurrentFolder(const std::string& folder) { std::filesystem::current_path(folder); }
    ~CurrentFolder() { std::filesystem::current_path(previous, ignored); }
    std::filesystem::path previous = std::filesystem::current_path();
    std::error_code ignored;
};
