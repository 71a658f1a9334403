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
