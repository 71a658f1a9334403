// Failures that only POSIX special files can bring about: a socket that cannot be opened, a pipe
// that cannot be sought, and a file cut short after it was verified.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_fixture.h"

namespace {

class JamArchivePosixTest : public ArchiveTest {};

TEST_F(JamArchivePosixTest, AnEntryThatCannotBeOpenedFailsToOpen) {
    int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, "test.jam");  // relative to the scratch folder
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
    EXPECT_FALSE(archive.open("test.jam"));
    EXPECT_EQ(uint32_t(FileOpenFailed), LastError.code);
    EXPECT_EQ(withPath("Failed to open file"), LastError.message.chars());
    close(listener);
}

// Header and directory come through the pipe; the seek to the data section cannot be made.
TEST_F(JamArchivePosixTest, AnArchiveThatCannotBeSoughtFailsToSeek) {
    ASSERT_EQ(0, mkfifo("test.jam", 0600));
    int pipe = open("test.jam", O_RDWR);  // keeps the reader's open from waiting for a writer
    ASSERT_GE(pipe, 0);
    std::vector<uint8_t> image = packed({entry("Default.ntf", "text")});
    ASSERT_EQ(ssize_t(image.size()), write(pipe, image.data(), image.size()));
    EXPECT_FALSE(archive.open("test.jam"));
    EXPECT_EQ(uint32_t(FileSeekFailed), LastError.code);
    EXPECT_EQ(withPath("Failed to seek in file"), LastError.message.chars());
    close(pipe);
}

// Nothing stops another program from cutting the file short on POSIX: the entry's read then
// comes back short.
TEST_F(JamArchivePosixTest, AnEntryCutShortAfterOpeningFailsToRead) {
    std::vector<uint8_t> image = packed({entry("Default.ntf", "a template of some length")});
    expectOpens(image);
    std::filesystem::resize_file("test.jam", image.size() - 5);
    uint32_t size = 0;
    EXPECT_EQ(nullptr, archive.read("Default.ntf", size));
    EXPECT_EQ(25u, size) << "the size is stored before the read";
    EXPECT_EQ(uint32_t(FileReadFailed), LastError.code);
    EXPECT_EQ(withPath("Failed to read from file"), LastError.message.chars());
    EXPECT_TRUE(archive.isOpen());
}

}  // namespace

#endif
