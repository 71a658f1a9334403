// Hostile archives: every checksum is right, but the directory points outside itself or the
// entries outside the file. Each is refused at open as corrupt, and nothing outside the directory
// block or the file is ever read (run under a memory checker to see it).
#include <random>
#include <string>
#include <vector>

#include "archive/archive_fixture.h"
#include "foundation/memory.h"

namespace {

class JamArchiveBoundsTest : public ArchiveTest {
protected:
    void SetUp() override {
        image = packed({entry("Default.ntf", "template text"), entry("Second", "more")});
    }

    void expectCorruptAfterReseal() {
        jam::reseal(image);
        expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
    }

    uint32_t directorySize() const { return getU32(image, jamDirectorySizeAt); }

    std::vector<uint8_t> image;
};

TEST_F(JamArchiveBoundsTest, ASlotTableLongerThanTheDirectory) {
    for (uint32_t slots : {directorySize() / 4 + 1, 0xFFFFFFFFu}) {
        SetUp();
        putU32(image, jamSlotCountAt, slots);
        SCOPED_TRACE(slots);
        expectCorruptAfterReseal();
    }
}

TEST_F(JamArchiveBoundsTest, ASlotPointingPastTheDirectory) {
    for (uint32_t offset :
         {directorySize(), directorySize() - jamEntryFixedSize + 1, 0xFFFFFFF0u, 0xFFFFFFFFu}) {
        SetUp();
        putU32(image, jamHeaderSize + 4, offset);
        SCOPED_TRACE(offset);
        expectCorruptAfterReseal();
    }
}

TEST_F(JamArchiveBoundsTest, ARecordWhoseNameRunsPastTheDirectory) {
    size_t record = recordAt(image, 0);
    uint32_t room = uint32_t(jamHeaderSize + directorySize() - record - jamEntryFixedSize);
    image[record] = static_cast<uint8_t>(room + 1);
    image[record + 1] = static_cast<uint8_t>((room + 1) >> 8);
    expectCorruptAfterReseal();

    SetUp();
    image[record] = 0xFF;
    image[record + 1] = 0xFF;
    expectCorruptAfterReseal();
}

TEST_F(JamArchiveBoundsTest, EntryDataPastTheEndOfTheFile) {
    size_t record = recordAt(image, 0);
    const uint32_t fileSize = uint32_t(image.size());
    struct Case {
        uint32_t offset, size;
    };
    for (Case c : {Case{fileSize - 2, 5}, Case{fileSize, 1}, Case{0xFFFFFFFF, 0xFFFFFFFF},
                   Case{0, 0xFFFFFFFF}, Case{fileSize + 1, 0}}) {
        std::vector<uint8_t> hostile = image;
        putU32(hostile, record + 4, c.offset);
        putU32(hostile, record + 8, c.size);
        jam::reseal(hostile);
        SCOPED_TRACE(std::to_string(c.offset) + " + " + std::to_string(c.size));
        expectOpenFails(hostile, ArchiveCorrupt, withPath("Archive is corrupt"));
    }
}

TEST_F(JamArchiveBoundsTest, EntryDataEndingExactlyAtTheEndOfTheFileIsFine) {
    size_t record = recordAt(image, 0);
    putU32(image, record + 4, uint32_t(image.size()) - 3);
    putU32(image, record + 8, 3);
    jam::reseal(image);
    expectOpens(image);
    std::string tail(image.end() - 3, image.end());
    std::string name(image.begin() + record + jamEntryFixedSize,
                     image.begin() + record + jamEntryFixedSize + image[record]);
    EXPECT_EQ(tail, readEntry(name.c_str()));
}

// Random damage to the directory, resealed so that every checksum holds: whatever opens must
// read only within bounds, and whatever fails must fail cleanly.
TEST_F(JamArchiveBoundsTest, RandomlyDamagedDirectoriesNeverReadOutOfBounds) {
    std::vector<uint8_t> original = packed(
        {entry("Default.ntf", "template text"), entry("Second", "more"), entry("Third", "")});
    std::mt19937 random(20240611);
    int opened = 0;
    for (int round = 0; round < 400; ++round) {
        image = original;
        size_t directoryEnd = dataStart(image);
        int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i) {
            size_t at = jamHeaderSize + random() % (directoryEnd - jamHeaderSize);
            image[at] = static_cast<uint8_t>(random());
        }
        if (random() % 4 == 0)
            putU32(image, jamSlotCountAt, 1 + random() % 12);
        jam::reseal(image);
        writeArchive(image);
        if (!archive.open("test.jam")) {
            EXPECT_NE(nullptr, LastError.message.chars());
            continue;
        }
        ++opened;
        for (uint32_t slot = 0; slot < archive.slotCount(); ++slot) {
            JamEntryFields fields = jamEntryFields(archive.slotRecord(slot));
            std::string name(fields.name, fields.nameLength);
            uint32_t size = 0;
            uint8_t* block = archive.read(name.c_str(), size);
            if (block != nullptr)
                memFree(block, size);
        }
        archive.close();
    }
    EXPECT_GT(opened, 0) << "some damage is harmless and must still open";
}

}  // namespace
