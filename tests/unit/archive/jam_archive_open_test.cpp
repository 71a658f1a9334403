// Opening an archive: every check, in order, with its exact message.
#include <string>
#include <vector>

#include "archive/archive_fixture.h"

namespace {

std::vector<uint8_t> sample() {
    return packed(
        {entry("Default.ntf", "line one\r\n#TITLE 1 0 -1\r\n\r\n"), entry("Other.ntf", "other")});
}

class JamArchiveOpenTest : public ArchiveTest {};

TEST_F(JamArchiveOpenTest, AnIntactArchiveOpensAndLeavesLastErrorAlone) {
    setLastError(FileMoveFailed);
    expectOpens(sample());
    EXPECT_EQ(uint32_t(FileMoveFailed), LastError.code);
    EXPECT_STREQ(CurrentFolder::pathOf("test.jam").c_str(), archive.path.chars());
    EXPECT_EQ("other", readEntry("Other.ntf"));
    archive.close();
    EXPECT_FALSE(archive.isOpen());
    EXPECT_STREQ(CurrentFolder::pathOf("test.jam").c_str(), archive.path.chars())
        << "close keeps the path";
}

TEST_F(JamArchiveOpenTest, AMissingArchiveOrAFolderIsNotFound) {
    EXPECT_FALSE(archive.open("missing.jam"));
    EXPECT_EQ(uint32_t(FileNotFound), LastError.code);
    EXPECT_EQ("File not found:\n" + CurrentFolder::pathOf("missing.jam"),
              LastError.message.chars());

    folder.makeFolder("folder.jam");
    EXPECT_FALSE(archive.open("folder.jam"));
    EXPECT_EQ("File not found:\n" + CurrentFolder::pathOf("folder.jam"), LastError.message.chars());
}

TEST_F(JamArchiveOpenTest, AShortHeaderFailsToRead) {
    std::vector<uint8_t> image = sample();
    image.resize(63);
    expectOpenFails(image, FileReadFailed, withPath("Failed to read from file"));
    expectOpenFails({}, FileReadFailed, withPath("Failed to read from file"));
}

// The signature is not covered by the header checksum, so a changed signature byte is told
// apart from a damaged header.
TEST_F(JamArchiveOpenTest, SignatureAndHeaderChecksumAreToldApart) {
    for (size_t at : {size_t(0), size_t(7), size_t(19)}) {
        std::vector<uint8_t> image = sample();
        image[at] ^= 0x01;
        expectOpenFails(image, ArchiveInvalid, withPath("Archive is invalid"));
    }
    for (size_t at : {size_t(jamHeaderChecksumAt), unreadHeaderAt, size_t(63)}) {
        std::vector<uint8_t> image = sample();
        image[at] ^= 0x01;
        expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
    }
}

TEST_F(JamArchiveOpenTest, FieldsTheReaderIgnoresMayHoldAnything) {
    std::vector<uint8_t> image = sample();
    putU32(image, unreadHeaderAt, 0xDEADBEEF);
    putU32(image, 56, 0x12345678);
    putU32(image, 60, 0x9ABCDEF0);
    jam::reseal(image);
    expectOpens(image);
}

TEST_F(JamArchiveOpenTest, OnlyVersionOneIsRead) {
    for (uint32_t version : {0u, 2u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> image = sample();
        putU32(image, jamVersionAt, version);
        jam::reseal(image);
        expectOpenFails(image, ArchiveTooRecent, withPath("Archive version is too recent"));
    }
}

// The directory size is made to run past the end of the file as well, so a directory read
// would fail differently: the invalid slot count is found before any directory is read.
TEST_F(JamArchiveOpenTest, ZeroSlotsOrAnEmptyDirectoryIsInvalidBeforeAnyDirectoryRead) {
    std::vector<uint8_t> image = sample();
    putU32(image, jamSlotCountAt, 0);
    putU32(image, jamDirectorySizeAt, 100000);
    putU32(image, jamDirectoryBoundAt, 100000);
    jam::reseal(image);
    expectOpenFails(image, ArchiveInvalid, withPath("Archive is invalid"));

    image = sample();
    putU32(image, jamDirectorySizeAt, 0);
    jam::reseal(image);
    expectOpenFails(image, ArchiveInvalid, withPath("Archive is invalid"));
}

TEST_F(JamArchiveOpenTest, TheDirectoryBoundMayEqualButNotUndercutTheSize) {
    jam::Layout layout = planned({entry("Default.ntf", "text")});
    std::vector<uint8_t> image = encoded(layout);
    ASSERT_EQ(getU32(image, jamDirectorySizeAt), getU32(image, jamDirectoryBoundAt));
    expectOpens(image);
    archive.close();

    layout.boundSlack = 1000;
    expectOpens(encoded(layout));
    archive.close();

    putU32(image, jamDirectoryBoundAt, getU32(image, jamDirectorySizeAt) - 1);
    jam::reseal(image);
    expectOpenFails(image, ArchiveInvalid, withPath("Archive is invalid"));
}

TEST_F(JamArchiveOpenTest, ADirectoryRunningPastTheFileFailsToReadWithoutDetail) {
    // 64 bytes more than there are, and a claim of almost 4 GiB: both read short, and the second
    // must not be taken for a lack of memory (a 32-bit process has no block that large).
    for (uint32_t size : {uint32_t(sample().size()), 0xFFFFFFF0u}) {
        std::vector<uint8_t> image = sample();
        putU32(image, jamDirectorySizeAt, size);
        putU32(image, jamDirectoryBoundAt, size);
        jam::reseal(image);
        expectOpenFails(image, FileReadFailed, "Failed to read from file");
    }
}

TEST_F(JamArchiveOpenTest, ADamagedDirectoryIsCorrupt) {
    std::vector<uint8_t> image = sample();
    image[jamHeaderSize + 9] ^= 0x40;
    expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
}

// The compression flag is looked at only after the directory checksum.
TEST_F(JamArchiveOpenTest, ACompressedDirectoryIsRefusedOnlyWhenItsChecksumHolds) {
    jam::Layout layout = planned({entry("Default.ntf", "text")});
    layout.flags = 1;
    std::vector<uint8_t> image = encoded(layout);
    expectOpenFails(image, CustomError, "JAMFILE COMPRESSION UNSUPPORTED!");

    image[jamDirectoryChecksumAt] ^= 0x01;
    resealHeader(image);
    expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));

    layout.flags = 0xFFFFFFFE;  // the other flag bits are not read
    expectOpens(encoded(layout));
}

TEST_F(JamArchiveOpenTest, AnEmptyDataSectionHasChecksumZero) {
    std::vector<uint8_t> image = packed({entry("Empty.ntf", "")});
    ASSERT_EQ(image.size(), dataStart(image));
    EXPECT_EQ(0u, getU32(image, jamDataChecksumAt));
    expectOpens(image);
    archive.close();

    putU32(image, jamDataChecksumAt, 1);
    jam::reseal(image);  // recomputes it as 0 again
    expectOpens(image);
    archive.close();
    putU32(image, jamDataChecksumAt, 1);
    resealHeader(image);
    expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
}

TEST_F(JamArchiveOpenTest, TrailingBytesBelongToTheDataSection) {
    jam::Layout layout = planned({entry("Default.ntf", "text")});
    layout.trailer = {'t', 'a', 'i', 'l'};
    std::vector<uint8_t> image = encoded(layout);
    expectOpens(image);
    EXPECT_EQ("text", readEntry("Default.ntf"));
    archive.close();

    image.push_back('!');
    expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
}

TEST_F(JamArchiveOpenTest, EverySingleChangedDataByteIsCorruption) {
    jam::Layout layout = planned({entry("A", "first"), entry("B", "second")});
    layout.trailer = {'x', 'y'};  // bytes that belong to no entry
    std::vector<uint8_t> image = encoded(layout);
    for (size_t at = dataStart(image); at < image.size(); ++at) {
        std::vector<uint8_t> damaged = image;
        damaged[at] ^= 0x80;
        SCOPED_TRACE(at);
        expectOpenFails(damaged, ArchiveCorrupt, withPath("Archive is corrupt"));
    }
}

TEST_F(JamArchiveOpenTest, DataLargerThanOneVerificationChunkIsCheckedWhole) {
    std::string big(200000, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    std::vector<uint8_t> image = packed({entry("Big", big)});
    expectOpens(image);
    EXPECT_EQ(big, readEntry("Big"));
    archive.close();

    image[dataStart(image) + 150000] ^= 1;  // in the third 64 KiB chunk
    expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
}

TEST_F(JamArchiveOpenTest, AFailedOpenLeavesTheFileFreeAndTheArchiveReusable) {
    std::vector<uint8_t> image = sample();
    image.back() ^= 1;
    expectOpenFails(image, ArchiveCorrupt, withPath("Archive is corrupt"));
    // Nothing holds the file any more: it can be replaced (on Windows a held file cannot).
    expectOpens(sample());
    EXPECT_EQ("other", readEntry("Other.ntf"));
}

#ifdef _WIN32
TEST_F(JamArchiveOpenTest, AnOpenArchiveIsHeldWithSharingDenied) {
    expectOpens(sample());
    JamArchive second;
    EXPECT_FALSE(second.open("test.jam"));
    EXPECT_EQ("Failed to open file:\n" + CurrentFolder::pathOf("test.jam"),
              LastError.message.chars());
    archive.close();
    EXPECT_TRUE(second.open("test.jam"));
}
#endif

}  // namespace
