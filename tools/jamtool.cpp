// jamtool: packs, lists and extracts .jam archives.
//   jamtool pack OUT.jam NAME=FILE...
//   jamtool list ARCHIVE
//   jamtool extract ARCHIVE NAME OUT
#include <cstdio>
#include <string>
#include <vector>

#include "jam_writer.h"

namespace {

int usage() {
    std::fputs(
        "usage: jamtool pack OUT.jam NAME=FILE...\n"
        "       jamtool list ARCHIVE\n"
        "       jamtool extract ARCHIVE NAME OUT\n",
        stderr);
    return 2;
}

int fail(const std::string& error) {
    std::fprintf(stderr, "jamtool: %s\n", error.c_str());
    return 1;
}

int packCommand(int argc, char** argv) {
    if (argc < 4)
        return usage();
    std::vector<jam::Entry> entries;
    std::string error;
    for (int i = 3; i < argc; ++i) {
        jam::Entry entry;
        if (!jam::readEntryArgument(argv[i], nullptr, entry, error))
            return fail(error);
        entries.push_back(std::move(entry));
    }
    if (!jam::pack(argv[2], entries, error))
        return fail(error);
    return 0;
}

int listCommand(int argc, char** argv) {
    if (argc != 3)
        return usage();
    std::vector<jam::Listing> entries;
    std::string error;
    if (!jam::list(argv[2], entries, error))
        return fail(error);
    for (const jam::Listing& entry : entries) {
        std::printf("%s\n", jam::listingLine(entry).c_str());
    }
    return 0;
}

int extractCommand(int argc, char** argv) {
    if (argc != 5)
        return usage();
    std::vector<uint8_t> data;
    std::string error;
    if (!jam::extract(argv[2], argv[3], data, error))
        return fail(error);
    if (!jam::writeWholeFile(argv[4], data, error))
        return fail(error);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    std::string command = argv[1];
    if (command == "pack")
        return packCommand(argc, argv);
    if (command == "list")
        return listCommand(argc, argv);
    if (command == "extract")
        return extractCommand(argc, argv);
    return usage();
}
