// The file utilities: absolute paths and atomic saves. Reads, seeks and searches are seen through
// the archive and the template catalogue.
#include "foundation/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "files/temp_folder.h"
#include "foundation/errors.h"
#include "foundation/files_platform.h"

// A relative path written with '/', spelled the platform's way.
static std::string native(std::string path) {
    for (char& c : path)
        c = c == '/' ? pathSeparator : c;
    return path;
}

class FilesTest : public ::testing::Test {
protected:
    TempFolder folder;
    CurrentFolder inside{folder.path()};
};

// Names are resolved against the current directory (the file need not exist) and normalised.
TEST_F(FilesTest, FullPathNameResolvesAndNormalises) {
    const std::string here = folder.path() + pathSeparator;
    const std::string parent = std::filesystem::path(folder.path()).parent_path().string();
    const std::pair<std::string, std::string> cases[] = {
        // clang-format off
        {"absent.jam", here + "absent.jam"}, {native("a/./b/../c.jam"), here + native("a/c.jam")},
        {native("../x"), parent + pathSeparator + "x"},
#ifdef _WIN32
        {"C:\\x\\.\\y\\..\\z.jam", "C:\\x\\z.jam"}, {"C:/x/y/../z.jam", "C:\\x\\z.jam"},
#else
        {"/x/./y/../z.jam", "/x/z.jam"}, {"//x///z.jam", "/x/z.jam"}, {"/../../z.jam", "/z.jam"},
        {"/a/..", "/"}, {"/a/b/", "/a/b"}, {"/a/b/c", "/a/b/c"},
#endif
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, orEmpty(fullPathName(c.first.c_str()))) << c.first;
}

// A save replaces the file whole or not at all, leaves no temporary file behind, and keeps the
// permissions of the file it replaces (a new file gets 0666 less the umask).
TEST_F(FilesTest, AtomicWriteReplacesWhollyOrFailsWithItsMessage) {
    folder.makeFolder("taken.nfo");
    folder.write(native("taken.nfo/inside.txt"), "kept");
    const char* const cases[][3] = {
        // clang-format off
        {"out.nfo", "first version, rather long", "No error"}, {"out.nfo", "second", "No error"},
        {"out.nfo", "", "No error"}, {"missing/out.nfo", "x", "Failed to open file"},
        {"taken.nfo", "new", "Failed to move file"},  // a folder keeps its place
        // clang-format on
    };
    for (const auto& c : cases) {
        setLastError(NoError);
        const bool written = writeFileAtomically(native(c[0]).c_str(), c[1], strlen(c[1]));
        EXPECT_EQ(written, c[2] == std::string("No error"));
        EXPECT_STREQ(c[2], LastError.message.chars());
        EXPECT_TRUE(!written || c[1] == folder.read(c[0])) << c[1];
    }
#ifdef _WIN32
    FileHandle holder = openFileForReading("out.nfo", OpenExclusive);
    EXPECT_FALSE(writeFileAtomically("out.nfo", "new", 3)) << "a file held open keeps its bytes";
    closeFile(holder);
#endif
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        names.insert(entry.path().filename().string());
    EXPECT_EQ((std::set<std::string>{"out.nfo", "taken.nfo"}), names);
    EXPECT_EQ("", folder.read("out.nfo"));
    EXPECT_EQ("kept", folder.read(native("taken.nfo/inside.txt")));
#ifndef _WIN32
    const mode_t mask = umask(022);
    umask(mask);
    struct stat info;
    EXPECT_TRUE(stat("out.nfo", &info) == 0 && (info.st_mode & 07777) == (0666 & ~mask));
    chmod("out.nfo", 0640);
    EXPECT_TRUE(writeFileAtomically("out.nfo", "x", 1) && stat("out.nfo", &info) == 0);
    EXPECT_EQ(0640u, info.st_mode & 07777) << "the replaced file's permissions are kept";
#endif
}

// A save kept aside the file it replaces (a second link to it, or on a file system without hard
// links the file itself, moved), for a caller that may put it back.
TEST_F(FilesTest, ReplacedFileKeptAsideWithOrWithoutHardLinks) {
    for (bool hardLinks : {true, false}) {
        keepAsideLink =
            hardLinks ? linkFile : +[](const char*, const char*) { return Linked::Failed; };
        folder.write("out.nfo", "old");
        StagedFile file;
        String kept;
        EXPECT_TRUE(file.open("out.nfo") && file.write("new", 3) && file.place(&kept));
        EXPECT_EQ("new", folder.read("out.nfo")) << hardLinks;
        EXPECT_EQ("old", folder.read(orEmpty(kept))) << hardLinks;
        removeFile(orEmpty(kept));
    }
    keepAsideLink = linkFile;
}

#ifndef _WIN32
// Through a symbolic link (relative ones from their own folder, a chain, one to nothing yet) the
// file it leads to is replaced with its permissions, and the links stay.
TEST_F(FilesTest, SaveThroughSymbolicLinkReplacesWhatItLeadsTo) {
    folder.makeFolder("sub");
    folder.write("sub/real.nfo", "old");
    chmod("sub/real.nfo", 0640);
    ASSERT_EQ(0, symlink("sub/real.nfo", "link.nfo") | symlink("real.nfo", "sub/inner.nfo") |
                     symlink("sub/inner.nfo", "chain.nfo") | symlink("sub/new.nfo", "new.nfo"));
    const char* const cases[][2] = {
        {"link.nfo", "sub/real.nfo"}, {"chain.nfo", "sub/real.nfo"}, {"new.nfo", "sub/new.nfo"}};
    for (const auto& c : cases) {
        EXPECT_TRUE(writeFileAtomically(c[0], c[0], strlen(c[0])));
        EXPECT_EQ(c[0], folder.read(c[1]));
        struct stat info;
        EXPECT_TRUE(lstat(c[0], &info) == 0 && S_ISLNK(info.st_mode)) << c[0];
    }
    struct stat info;
    EXPECT_TRUE(stat("sub/real.nfo", &info) == 0 && (info.st_mode & 07777) == 0640);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("sub"))
        names.insert(entry.path().filename().string());
    EXPECT_EQ((std::set<std::string>{"inner.nfo", "new.nfo", "real.nfo"}), names);
}
#endif
