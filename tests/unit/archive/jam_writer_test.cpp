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

}  // namespace
