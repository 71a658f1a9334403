// Failures that only POSIX special files bring about: a socket or a pipe where the archive is
// looked for is refused at once (a pipe with no writer would otherwise hold the open for ever),
// and a file can be cut short after it was verified.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "archive/archive_fixture.h"

TEST_F(ArchiveTest, ASocketOrAPipeIsRefusedAtOnce) {
    int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{AF_UNIX, "test.jam"};  // in the scratch folder, the current directory
    ASSERT_EQ(0, bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
    ASSERT_EQ(0, mkfifo("pipe.jam", 0600));
    alarm(20);  // a wait in open ends the test run rather than hanging it
    EXPECT_FALSE(archive.open("test.jam"));
    EXPECT_EQ(withPath("Failed to open file"), message());
    EXPECT_FALSE(archive.open("pipe.jam"));
    EXPECT_EQ("Failed to open file:\n" + folder.at("pipe.jam"), message());
    alarm(0);
    close(listener);
}

TEST_F(ArchiveTest, AnEntryCutShortAfterOpeningFailsToRead) {
    Image image = packed({entry("Default.ntf", "a template of some length")});
    ASSERT_TRUE(open(image));
    std::filesystem::resize_file("test.jam", image.size() - 5);
    uint32_t size = 0;
    EXPECT_EQ(nullptr, archive.read("Default.ntf", size));
    EXPECT_EQ(25u, size) << "the size is stored before the read";
    EXPECT_EQ(withPath("Failed to read from file"), message());
    EXPECT_TRUE(archive.isOpen());
}

#endif
