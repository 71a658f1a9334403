// Writing, listing and extracting .jam archives, beside the reader (jam_archive.h); used by the
// quenby command line, whose `quenby jam pack` also packs Quenby.jam at build time. Every
// operation returns false with a one-line reason in error; nothing is thrown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jam {

struct Entry {
    std::string name;
    std::vector<uint8_t> data;
    uint8_t method =
        0;  // bits 0 to 4: compression method (0, stored, is the only one readers take)
};

// An archive spelled out in full: slot i leads to records[slots[i]], the records lie in the
// directory after the slot table in this order, and their data follows in the same order. encode
// writes it as given, so it can also describe archives a packer would not make (duplicate names,
// few slots).
struct Layout {
    std::vector<Entry> records;
    std::vector<uint32_t> slots;
    uint32_t version = 1;
    uint32_t flags = 0;
};

// Places each entry at its start slot, or the next free one after it (wrapping), in a table of
// one and a half times as many slots as entries; slots left free lead to the record that follows
// them in probe order. Refuses no entries, empty or duplicate names and names over 65535 bytes.
bool plan(const std::vector<Entry>& entries, Layout& layout, std::string& error);
// Lays the archive out byte for byte with every checksum right.
bool encode(const Layout& layout, std::vector<uint8_t>& image, std::string& error);
// Recomputes the directory, data and header checksums of an archive image in place, after its
// fields were edited. The directory size is taken from the header, clamped to the image.
void reseal(std::vector<uint8_t>& image);

// Packs the entries into a new archive at path, replacing any file there whole.
bool pack(const std::string& path, const std::vector<Entry>& entries, std::string& error);

struct Listing {
    std::string name;
    uint32_t size = 0;
    uint32_t method = 0;  // the method bits as stored
    uint32_t offset = 0;  // absolute file offset of the data
};
// One line of a listing, without a line end: the size in 10 columns, two spaces, the name, and
// "  (compressed)" when the entry's method bits are not 0.
std::string listingLine(const Listing& entry);
// Opens and verifies the archive, then lists each directory record once, in slot order.
bool list(const std::string& path, std::vector<Listing>& entries, std::string& error);
// Opens and verifies the archive and reads the named entry's data.
bool extract(const std::string& path, const std::string& name, std::vector<uint8_t>& data,
             std::string& error);

// Reads the entry a NAME=FILE argument names. An argument without "=" is refused, unless bareName
// is given: then the whole argument is the file and *bareName the entry's name.
bool readEntryArgument(const std::string& argument, const std::string* bareName, Entry& entry,
                       std::string& error);
// Reads a whole file, or writes one (replacing it whole); for the command-line front ends.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& data, std::string& error);
bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& data, std::string& error);

}  // namespace jam
