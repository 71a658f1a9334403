// Finding and reading entries of an open archive.
#include <string>
#include <vector>

#include "archive/archive_fixture.h"
#include "foundation/memory.h"

namespace {

class JamArchiveReadTest : public ArchiveTest {};

TEST_F(JamArchiveReadTest, EveryEntryReadsBackExactly) {
    std::vector<jam::Entry> entries;
    for (int i = 0; i < 40; ++i) {
        std::string data;
        for (int j = 0; j < i * 13; ++j)
            data += static_cast<char>((i * 31 + j) & 0xFF);
        entries.push_back(entry("entry-" + std::to_string(i) + ".bin", data));
    }
    expectOpens(packed(entries));
    // Reads in any order: each one seeks before it reads.
    for (int i = 39; i >= 0; i -= 3) {
        const jam::Entry& wanted = entries[i];
        EXPECT_EQ(std::string(wanted.data.begin(), wanted.data.end()),
                  readEntry(wanted.name.c_str()));
    }
}

TEST_F(JamArchiveReadTest, NamesAreComparedExactly) {
    expectOpens(packed({entry("Default.ntf", "text")}));
    uint32_t size = 77;
    EXPECT_EQ(nullptr, archive.read("default.ntf", size));
    EXPECT_EQ(uint32_t(FileNotInArchive), LastError.code);
    EXPECT_STREQ("File not found in archive:\ndefault.ntf", LastError.message.chars());
    EXPECT_EQ(nullptr, archive.find("Default.ntf "));
    EXPECT_EQ(nullptr, archive.find("Default.nt"));
    EXPECT_EQ(nullptr, archive.find(""));
    EXPECT_NE(nullptr, archive.find("Default.ntf"));
    EXPECT_TRUE(archive.isOpen()) << "a failed read leaves the archive open";
    EXPECT_EQ("text", readEntry("Default.ntf"));
}

TEST_F(JamArchiveReadTest, OnlyTheLowFiveMethodBitsMeanCompression) {
    expectOpens(packed({entry("High", "stored", 0xE0), entry("Low", "packed", 0x01),
                        entry("Five", "packed", 0x10)}));
    EXPECT_EQ("stored", readEntry("High"));
    for (const char* name : {"Low", "Five"}) {
        uint32_t size = 77;
        EXPECT_EQ(nullptr, archive.read(name, size));
        EXPECT_EQ(uint32_t(CustomError), LastError.code);
        EXPECT_STREQ("JAMFILE COMPRESSION UNSUPPORTED!", LastError.message.chars());
    }
    EXPECT_EQ("stored", readEntry("High")) << "the archive stays open and usable";
}

TEST_F(JamArchiveReadTest, AnEmptyEntryIsAnEmptyBlock) {
    expectOpens(packed({entry("Empty", ""), entry("Full", "x")}));
    uint32_t size = 77;
    uint8_t* block = archive.read("Empty", size);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(0u, size);
    memFree(block, size);
}

TEST_F(JamArchiveReadTest, WithOneSlotOnlyThatSlotsRecordCanBeFound) {
    jam::Layout layout;
    layout.records = {entry("Hidden", "never reached"), entry("Shown", "reached")};
    layout.slots = {1};
    expectOpens(encoded(layout));
    EXPECT_EQ(1u, archive.slotCount());
    EXPECT_EQ("reached", readEntry("Shown"));
    EXPECT_EQ("<failed>", readEntry("Hidden"));
    EXPECT_STREQ("File not found in archive:\nHidden", LastError.message.chars());
}

// Two records with one name: the record reached first from the name's start slot wins.
TEST_F(JamArchiveReadTest, OfDuplicateNamesTheFirstInProbeOrderWins) {
    for (uint32_t slots : {2u, 3u, 5u}) {
        uint32_t start = jamStartSlot("Twice", 5, slots);
        jam::Layout layout;
        layout.records = {entry("Twice", "first record"), entry("Twice", "second record"),
                          entry("Filler", "")};
        layout.slots.assign(slots, 2);
        layout.slots[start] = 1;
        layout.slots[(start + 1) % slots] = 0;
        expectOpens(encoded(layout));
        EXPECT_EQ("second record", readEntry("Twice")) << slots << " slots";
        archive.close();

        std::swap(layout.slots[start], layout.slots[(start + 1) % slots]);
        expectOpens(encoded(layout));
        EXPECT_EQ("first record", readEntry("Twice")) << slots << " slots";
        archive.close();
    }
}

// The probe visits every slot, wrapping round, so a record is found wherever its slot lies.
TEST_F(JamArchiveReadTest, ARecordIsFoundWhereverItsSlotLies) {
    const uint32_t slots = 7;
    uint32_t start = jamStartSlot("Far", 3, slots);
    for (uint32_t place = 0; place < slots; ++place) {
        jam::Layout layout;
        layout.records = {entry("Far", "found"), entry("Near", "")};
        layout.slots.assign(slots, 1);
        layout.slots[place] = 0;
        expectOpens(encoded(layout));
        EXPECT_EQ("found", readEntry("Far")) << "start " << start << ", placed at " << place;
        archive.close();
    }
}

}  // namespace
