// Finding and reading the entries of an open archive.
#include "archive/archive_fixture.h"

// Reads in any order: each one seeks before it reads, and a failed one leaves the archive open.
TEST_F(ArchiveTest, EachEntryReadsBackExactlyOrFailsWithItsMessage) {
    ASSERT_TRUE(open(sample())) << message();
    const std::string compressed = "error: JAMFILE COMPRESSION UNSUPPORTED!",
                      missing = "error: File not found in archive:\n";
    const std::pair<const char*, std::string> cases[] = {
        // clang-format off
        {"Big", std::string(200000, 'b')}, {"Default.ntf", "line one\r\n"},
        {"High", "stored"}, {"Empty", ""},  // method bits 5 to 7 mean nothing
        {"Low", compressed}, {"Five", compressed},
        {"default.ntf", missing + "default.ntf"}, {"Default.ntf ", missing + "Default.ntf "},
        {"Default.nt", missing + "Default.nt"}, {"", missing}, {"Default.ntf", "line one\r\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.second, read(c.first)) << c.first;
        EXPECT_TRUE(archive.isOpen());
    }
}

// The probe starts at the name's hash slot and visits every slot once, wrapping round; the first
// record whose name matches wins.
TEST_F(ArchiveTest, TheProbeFindsTheFirstMatchFromTheNamesStartSlot) {
    jam::Layout layout;
    layout.records = {entry("Twice", "first"), entry("Twice", "second"), entry("Far", "found"),
                      entry("Near", "")};
    auto readWith = [&](std::vector<uint32_t> slots, const char* name) {
        layout.slots = slots;
        archive.close();
        EXPECT_TRUE(open(encoded(layout))) << message();
        return read(name);
    };
    for (uint32_t place = 0; place < 7; ++place) {
        std::vector<uint32_t> slots(7, 3);
        slots[place] = 2;
        EXPECT_EQ("found", readWith(slots, "Far")) << "placed at " << place;
    }
    const uint32_t start = jamStartSlot("Twice", 5, 3), next = (start + 1) % 3;
    std::vector<uint32_t> slots(3, 3);
    slots[start] = 1;
    slots[next] = 0;
    EXPECT_EQ("second", readWith(slots, "Twice"));
    std::swap(slots[start], slots[next]);
    EXPECT_EQ("first", readWith(slots, "Twice"));
    EXPECT_EQ("error: File not found in archive:\nFar", readWith({3}, "Far")) << "one slot";
}

// Each allocation of open and read fails in turn: the open fails closed with no detail, the read
// changes nothing.
TEST_F(ArchiveTest, EachFailedAllocationFailsCleanly) {
    ASSERT_TRUE(open(packed({entry("Default.ntf", "text")}))) << message();
    archive.close();
    int outOfMemory = 0;
    for (uint32_t n = 1; n <= 40; ++n, archive.close()) {
        SCOPED_TRACE(n);
        LastError.code = NoError;
        failNthAllocation(n);
        const bool opened = archive.open("test.jam");
        const std::string data = opened ? read("Default.ntf") : "";
        failNthAllocation(0);
        outOfMemory += LastError.code == OutOfMemory;
        EXPECT_TRUE(LastError.code != OutOfMemory || message() == "Out of memory");
        EXPECT_EQ(opened, archive.isOpen());
        EXPECT_TRUE(!opened || read("Default.ntf") == "text");
    }
    EXPECT_GE(outOfMemory, 3) << "the directory, scratch and entry blocks";
}
