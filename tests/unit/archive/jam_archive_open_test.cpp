// Opening an archive: every check, in order, with its exact message, and what passes them all.
#include <functional>

#include "archive/archive_fixture.h"
#include "foundation/crc32.h"

namespace {

typedef std::function<void(Image&)> Change;

// Fields set, then every checksum made right again (or only the header's).
Change set(std::vector<std::pair<size_t, uint32_t>> fields, bool headerOnly = false) {
    return [=](Image& image) {
        for (const auto& field : fields)
            writeU32(&image.at(field.first), field.second);
        if (!headerOnly)
            jam::reseal(image);
        writeU32(&image[jamHeaderChecksumAt], computeCrc32(&image[24], 40, 0));
    };
}
Change flip(size_t at) {
    return [=](Image& image) { image.at(at) ^= 0x81; };
}
Change both(Change first, Change second) {
    return [=](Image& image) { first(image), second(image); };
}

TEST_F(ArchiveTest, EachDamageIsFoundInOrderWithItsMessage) {
    const Image good = sample(), empty = packed({entry("Empty", "")});
    const uint32_t end = uint32_t(good.size()), directory = readU32(&good[jamDirectorySizeAt]);
    const uint32_t data = jamHeaderSize + directory, slot1 = jamHeaderSize + 4;
    const uint32_t record = jamHeaderSize + readU32(&good[jamHeaderSize]);  // slot 0's
    const uint32_t method = readU32(&good[record]) & 0xFFFF0000, room = data - record - 16;
    // An archive that opens leaves LastError as it was: the failure recorded before each open.
    const std::string opens = "Failed to move file", invalid = withPath("Archive is invalid"),
                      corrupt = withPath("Archive is corrupt"),
                      tooRecent = withPath("Archive version is too recent"),
                      readShort = "Failed to read from file";
    const struct {
        const char* what;
        Change change;
        std::string message;
    } cases[] = {
        // clang-format off
        {"intact", [](Image&) {}, opens},
        {"fields nobody reads", set({{32, 7}, {56, 8}, {60, 9}}), opens},
        {"bound above the size", set({{jamDirectoryBoundAt, directory + 9}}), opens},
        {"other flag bits", set({{jamFlagsAt, 0xFFFFFFFE}}), opens},
        {"trailing bytes", both([](Image& i) { i.push_back('t'); }, set({})), opens},
        {"data ending at the end", set({{record + 4, end - 3}, {record + 8, 3}}), opens},
        {"empty data section", [=](Image& i) { i = empty; }, opens},
        {"63 bytes", [](Image& i) { i.resize(63); }, withPath(readShort)},
        {"first signature byte", flip(0), invalid}, {"last header byte", flip(63), corrupt},
        {"version 0", set({{jamVersionAt, 0}}), tooRecent},
        {"version 2", set({{jamVersionAt, 2}}), tooRecent},
        // The directory runs past the file too: no slots is found before any directory read.
        {"no slots", set({{jamSlotCountAt, 0}, {44, end}, {48, end}}), invalid},
        {"empty directory", set({{jamDirectorySizeAt, 0}}), invalid},
        {"bound below the size", set({{jamDirectoryBoundAt, directory - 1}}), invalid},
        {"directory past the file", set({{44, end - 63}, {48, end}}), readShort},
        // Almost 4 GiB: read short, not taken for a lack of memory.
        {"directory of 4 GiB", set({{44, 0xFFFFFFF0}, {48, 0xFFFFFFF0}}), readShort},
        {"directory byte", flip(jamHeaderSize + 9), corrupt},
        {"compressed directory", set({{jamFlagsAt, 1}}), "JAMFILE COMPRESSION UNSUPPORTED!"},
        {"compressed, damaged", both(flip(70), set({{jamFlagsAt, 1}}, true)), corrupt},
        {"fourth 64 KiB of data", flip(data + 3 * 65536), corrupt},
        {"byte appended", [](Image& i) { i.push_back('!'); }, corrupt},
        {"empty data, checksum 1", both([=](Image& i) { i = empty; }, set({{40, 1}}, 1)), corrupt},
        // Every checksum holds from here on, but the directory leads outside itself or the file.
        {"slots past the directory", set({{jamSlotCountAt, directory / 4 + 1}}), corrupt},
        {"2^30 slots", set({{jamSlotCountAt, 0x40000000}}), corrupt},
        {"record cut short", set({{slot1, directory - 15}}), corrupt},
        {"slot at 2^32 - 1", set({{slot1, 0xFFFFFFFF}}), corrupt},
        {"name past the directory", set({{record, method | (room + 1)}}), corrupt},
        {"data past the end", set({{record + 4, end - 2}, {record + 8, 3}}), corrupt},
        {"nothing after the end", set({{record + 4, end + 1}, {record + 8, 0}}), corrupt},
        // Offset and size that wrap round 32 bits to a small end.
        {"data at 4 GiB", set({{record + 4, 0xFFFFFFFF}, {record + 8, 2}}), corrupt},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Image image = good;
        c.change(image);
        setLastError(FileMoveFailed);
        EXPECT_EQ(c.message == opens, open(image));
        archive.close();
        EXPECT_EQ(c.message, message());
        EXPECT_TRUE(!archive.isOpen() && archive.slotCount() == 0);
        EXPECT_EQ(folder.at("test.jam"), orEmpty(archive.path)) << "the path is kept";
    }
    EXPECT_FALSE(archive.open("missing.jam"));
    EXPECT_EQ("File not found:\n" + folder.at("missing.jam"), message());
}

#ifdef _WIN32
TEST_F(ArchiveTest, AnOpenArchiveIsHeldWithSharingDenied) {
    ASSERT_TRUE(open(sample()));
    JamArchive second;
    EXPECT_FALSE(second.open("test.jam"));
    EXPECT_EQ(withPath("Failed to open file"), message());
    archive.close();
    EXPECT_TRUE(second.open("test.jam"));
}
#endif

}  // namespace
