// The archive writer: what it packs, the reader opens; list and extract go through the reader.
#include "jam_writer.h"

#include <set>
#include <string>
#include <vector>

#include "archive/archive_fixture.h"

namespace {

class JamWriterTest : public ArchiveTest {};

TEST_F(JamWriterTest, PackThenListAndExtractEveryEntry) {
    std::vector<jam::Entry> entries;
    for (int i = 0; i < 25; ++i) {
        std::string data(size_t(i * 37), '\0');
        for (size_t j = 0; j < data.size(); ++j)
            data[j] = static_cast<char>(i + j * 3);
        entries.push_back(entry("file" + std::to_string(i) + ".ntf", data));
    }
    std::string error;
    std::string path = folder.at("packed.jam");
    ASSERT_TRUE(jam::pack(path, entries, error)) << error;

    std::vector<jam::Listing> listed;
    ASSERT_TRUE(jam::list(path, listed, error)) << error;
    ASSERT_EQ(entries.size(), listed.size()) << "each record is listed once";
    std::set<std::string> names;
    for (const jam::Listing& item : listed) {
        names.insert(item.name);
        EXPECT_EQ(0u, item.method);
    }
    for (const jam::Entry& wanted : entries) {
        EXPECT_EQ(1u, names.count(wanted.name));
        std::vector<uint8_t> data;
        ASSERT_TRUE(jam::extract(path, wanted.name, data, error)) << error;
        EXPECT_EQ(wanted.data, data);
    }
}

TEST_F(JamWriterTest, EachEntryLiesAtOrShortlyAfterItsStartSlot) {
    std::vector<jam::Entry> entries;
    for (int i = 0; i < 30; ++i)
        entries.push_back(entry("n" + std::to_string(i), "x"));
    jam::Layout layout;
    std::string error;
    ASSERT_TRUE(jam::plan(entries, layout, error));
    const uint32_t slots = uint32_t(layout.slots.size());
    EXPECT_EQ(45u, slots);
    for (uint32_t record = 0; record < entries.size(); ++record) {
        // Walking from the start slot, the record is reached before any slot that leads back to
        // an earlier place in the probe.
        uint32_t slot = jam::startSlot(entries[record].name, slots);
        uint32_t steps = 0;
        while (layout.slots[slot] != record && steps < slots) {
            slot = (slot + 1) % slots;
            ++steps;
        }
        EXPECT_LT(steps, slots) << entries[record].name;
    }
    for (uint32_t target : layout.slots)
        EXPECT_LT(target, entries.size());
}

TEST_F(JamWriterTest, TheHeaderIsLaidOutAsTheReaderExpects) {
    std::vector<uint8_t> image = packed({entry("Default.ntf", "abc")});
    uint8_t signature[jamSignatureSize];
    jamSignature(signature);
    EXPECT_EQ(std::vector<uint8_t>(signature, signature + jamSignatureSize),
              std::vector<uint8_t>(image.begin(), image.begin() + jamSignatureSize));
    EXPECT_EQ(1u, getU32(image, versionAt));
    EXPECT_EQ(0u, getU32(image, flagsAt));
    EXPECT_EQ(1u, getU32(image, slotCountAt));
    EXPECT_EQ(4u + jamEntryFixedSize + 11u, getU32(image, directorySizeAt));
    EXPECT_EQ(getU32(image, directorySizeAt), getU32(image, directoryBoundAt));
    EXPECT_EQ(computeCrc32(image.data() + 24, 40, 0), getU32(image, headerChecksumAt));
    size_t record = recordAt(image, 0);
    EXPECT_EQ(11u, image[record] | (image[record + 1] << 8));
    EXPECT_EQ(dataStart(image), getU32(image, record + 4));
    EXPECT_EQ(3u, getU32(image, record + 8));
    EXPECT_EQ("Default.ntf", std::string(image.begin() + record + 16, image.begin() + record + 27));
    EXPECT_EQ("abc", std::string(image.begin() + dataStart(image), image.end()));
}

TEST_F(JamWriterTest, PlanRefusesWhatTheReaderCouldNotTellApart) {
    jam::Layout layout;
    std::string error;
    EXPECT_FALSE(jam::plan({}, layout, error));
    EXPECT_EQ("an archive needs at least one entry", error);
    EXPECT_FALSE(jam::plan({entry("", "x")}, layout, error));
    EXPECT_EQ("an entry name cannot be empty", error);
    EXPECT_FALSE(jam::plan({entry("Same", "1"), entry("Same", "2")}, layout, error));
    EXPECT_EQ("duplicate entry name: Same", error);
    EXPECT_FALSE(jam::plan({entry(std::string(65536, 'n'), "x")}, layout, error));
    EXPECT_EQ(0u, error.find("entry name longer than 65535 bytes"));
    EXPECT_TRUE(jam::plan({entry(std::string(65535, 'n'), "x")}, layout, error));
}

TEST_F(JamWriterTest, EncodeRefusesSlotsThatLeadNowhere) {
    jam::Layout layout;
    layout.records = {entry("A", "a")};
    std::vector<uint8_t> image;
    std::string error;
    EXPECT_FALSE(jam::encode(layout, image, error));
    EXPECT_EQ("an archive needs at least one slot", error);
    layout.slots = {0, 1};
    EXPECT_FALSE(jam::encode(layout, image, error));
    EXPECT_EQ("a slot leads to no record", error);
}

TEST_F(JamWriterTest, ListShowsARecordSharedBySlotsOnce) {
    jam::Layout layout;
    layout.records = {entry("A", "aa", 0xE1), entry("B", "b")};
    layout.slots = {0, 0, 1, 0};
    writeArchive(encoded(layout));
    std::vector<jam::Listing> listed;
    std::string error;
    ASSERT_TRUE(jam::list(folder.at("test.jam"), listed, error)) << error;
    ASSERT_EQ(2u, listed.size());
    EXPECT_EQ("A", listed[0].name);
    EXPECT_EQ(2u, listed[0].size);
    EXPECT_EQ(0xE1u, listed[0].method);
    EXPECT_EQ("B", listed[1].name);
}

TEST_F(JamWriterTest, ReaderFailuresComeBackOnOneLine) {
    std::string error;
    std::vector<uint8_t> data;
    std::vector<jam::Listing> listed;
    std::string path = folder.at("test.jam");
    EXPECT_FALSE(jam::list(path, listed, error));
    EXPECT_EQ("File not found: " + path, error);

    std::vector<uint8_t> image = packed({entry("Default.ntf", "abc")});
    image.back() ^= 1;
    writeArchive(image);
    EXPECT_FALSE(jam::extract(path, "Default.ntf", data, error));
    EXPECT_EQ("Archive is corrupt: " + path, error);

    writeArchive(packed({entry("Default.ntf", "abc")}));
    EXPECT_FALSE(jam::extract(path, "Nope", data, error));
    EXPECT_EQ("File not found in archive: Nope", error);
}

TEST_F(JamWriterTest, PackingReplacesAnOldArchiveWhole) {
    std::string path = folder.at("out.jam");
    std::string error;
    ASSERT_TRUE(jam::pack(path, {entry("Big", std::string(5000, 'b'))}, error));
    ASSERT_TRUE(jam::pack(path, {entry("Small", "s")}, error));
    std::vector<jam::Listing> listed;
    ASSERT_TRUE(jam::list(path, listed, error)) << error;
    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ("Small", listed[0].name);
    EXPECT_EQ(std::vector<std::string>{"out.jam"}, folder.names());

    std::string missing = folder.at("no-such-folder") + pathSeparator + "x.jam";
    EXPECT_FALSE(jam::pack(missing, {entry("A", "a")}, error));
    EXPECT_EQ("Failed to open file: " + missing, error);
}

TEST_F(JamWriterTest, WholeFilesReadAndWrite) {
    std::string error;
    std::vector<uint8_t> bytes = {0, 1, 2, 255, '\r', '\n'};
    ASSERT_TRUE(jam::writeWholeFile(folder.at("raw.bin"), bytes, error));
    std::vector<uint8_t> back;
    ASSERT_TRUE(jam::readWholeFile(folder.at("raw.bin"), back, error));
    EXPECT_EQ(bytes, back);
    EXPECT_FALSE(jam::readWholeFile(folder.at("absent.bin"), back, error));
    EXPECT_EQ("cannot open " + folder.at("absent.bin"), error);
}

}  // namespace
