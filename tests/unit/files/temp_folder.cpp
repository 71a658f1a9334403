#include "files/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

#ifdef _WIN32
const char pathSeparator = '\\';
#else
const char pathSeparator = '/';
#endif

namespace {
std::atomic<unsigned> folderCounter{0};
}

TempFolder::TempFolder() {
    fs::path base = fs::temp_directory_path();
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate =
            base / ("quenby-test-" + std::to_string(stamp) + "-" + std::to_string(folderCounter++));
        if (fs::create_directory(candidate)) {
            // Spelled as the platform spells the current directory, so that paths in messages
            // compare equal.
            root = fs::canonical(candidate).string();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

std::string TempFolder::at(const std::string& name) const {
    return root + pathSeparator + name;
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(at(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + at(name));
}

void TempFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    write(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(at(name), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + at(name));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempFolder::exists(const std::string& name) const {
    return fs::exists(at(name));
}

void TempFolder::makeFolder(const std::string& name) const {
    fs::create_directory(at(name));
}

std::vector<std::string> TempFolder::names() const {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
        found.push_back(entry.path().filename().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

CurrentFolder::CurrentFolder(const std::string& folder) : previous(fs::current_path().string()) {
    fs::current_path(folder);
}

CurrentFolder::~CurrentFolder() {
    std::error_code ignored;
    fs::current_path(previous, ignored);
}

std::string CurrentFolder::pathOf(const std::string& name) {
    return fs::current_path().string() + pathSeparator + name;
}
