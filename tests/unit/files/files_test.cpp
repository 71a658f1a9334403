#include "foundation/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files/temp_folder.h"
#include "foundation/errors.h"

namespace {

std::string text(const String& value) {
    return value.chars() != nullptr ? value.chars() : "<null>";
}

class FilesTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(FilesTest, ExistingFileIsAFileThatIsThere) {
    folder.write("present.txt", std::string("x"));
    folder.makeFolder("folder");
    EXPECT_TRUE(isExistingFile(folder.at("present.txt").c_str()));
    EXPECT_FALSE(isExistingFile(folder.at("folder").c_str()));
    EXPECT_FALSE(isExistingFile(folder.at("missing.txt").c_str()));
}

TEST_F(FilesTest, FullPathNameJoinsRelativeNamesToTheCurrentDirectory) {
    CurrentFolder inside(folder.path());
    // The file need not exist.
    EXPECT_EQ(folder.at("absent.jam"), text(fullPathName("absent.jam")));
    std::string nested = std::string("a") + pathSeparator + "." + pathSeparator + "b" +
                         pathSeparator + ".." + pathSeparator + "c.jam";
    EXPECT_EQ(folder.at(std::string("a") + pathSeparator + "c.jam"),
              text(fullPathName(nested.c_str())));
    EXPECT_EQ(folder.path().substr(0, folder.path().rfind(pathSeparator)) + pathSeparator + "x",
              text(fullPathName((std::string("..") + pathSeparator + "x").c_str())));
}

TEST(FullPathNameTest, AbsoluteNamesComeBackNormalised) {
#ifdef _WIN32
    EXPECT_EQ("C:\\x\\z.jam", text(fullPathName("C:\\x\\.\\y\\..\\z.jam")));
    EXPECT_EQ("C:\\x\\z.jam", text(fullPathName("C:/x/y/../z.jam")));
#else
    EXPECT_EQ("/x/z.jam", text(fullPathName("/x/./y/../z.jam")));
    EXPECT_EQ("/x/z.jam", text(fullPathName("//x///z.jam")));
    EXPECT_EQ("/z.jam", text(fullPathName("/../../z.jam")));
    EXPECT_EQ("/", text(fullPathName("/a/..")));
    EXPECT_EQ("/a/b", text(fullPathName("/a/b/")));
#endif
}

class SeekFileTest : public FilesTest {
protected:
    void SetUp() override {
        folder.write("ten.bin", std::string("0123456789"));
        file = openFileForReading(folder.at("ten.bin").c_str(), false);
        ASSERT_NE(noFile, file);
    }
    void TearDown() override { closeFile(file); }

    char byteAtPosition() {
        char byte = 0;
        uint32_t got = 0;
        EXPECT_TRUE(readFile(file, &byte, 1, &got));
        EXPECT_EQ(1u, got);
        return byte;
    }

    FileHandle file = noFile;
};

TEST_F(SeekFileTest, MovesFromEachOriginAndReportsThePosition) {
    uint64_t position = 99;
    ASSERT_TRUE(seekFile(file, 0, SeekFromEnd, &position));
    EXPECT_EQ(10u, position);
    ASSERT_TRUE(seekFile(file, 0, SeekFromStart, &position));
    EXPECT_EQ(0u, position);
    EXPECT_EQ('0', byteAtPosition());
    ASSERT_TRUE(seekFile(file, 5, SeekFromCurrent, &position));
    EXPECT_EQ(6u, position);
    EXPECT_EQ('6', byteAtPosition());
    ASSERT_TRUE(seekFile(file, -3, SeekFromEnd, nullptr));
    EXPECT_EQ('7', byteAtPosition());
    EXPECT_FALSE(seekFile(file, -1, SeekFromStart, nullptr));
    EXPECT_FALSE(seekFile(file, -11, SeekFromEnd, nullptr));
}

// Distances beyond 32 bits are made in several steps on Windows; positions past the end of a
// file are allowed on both platforms. A position whose low word is all ones is no failure.
TEST_F(SeekFileTest, DistancesBeyondThirtyTwoBitsArriveWhole) {
    uint64_t position = 0;
    for (int64_t distance : {0x100000000LL, 0xFFFFFFFFLL, 0x1FFFFFFFFLL}) {
        ASSERT_TRUE(seekFile(file, distance, SeekFromStart, &position)) << distance;
        EXPECT_EQ(uint64_t(distance), position);
    }
    ASSERT_TRUE(seekFile(file, -0x1FFFFFFFFLL + 3, SeekFromCurrent, &position));
    EXPECT_EQ(3u, position);
    EXPECT_EQ('3', byteAtPosition());
}

TEST_F(FilesTest, SizeOfASparseFileBeyondFourGigabytes) {
    folder.write("sparse.bin", std::string("s"));
    std::error_code error;
    std::filesystem::resize_file(folder.at("sparse.bin"), 0x100000001ULL, error);
    if (error)
        GTEST_SKIP() << "no sparse file here: " << error.message();
    FileHandle file = openFileForReading(folder.at("sparse.bin").c_str(), false);
    ASSERT_NE(noFile, file);
    uint64_t position = 0;
    EXPECT_TRUE(seekFile(file, 0, SeekFromEnd, &position));
    EXPECT_EQ(0x100000001ULL, position);
    EXPECT_TRUE(seekFile(file, 0x100000000LL, SeekFromStart, &position));
    char byte = 'x';
    uint32_t got = 0;
    EXPECT_TRUE(readFile(file, &byte, 1, &got));
    EXPECT_EQ(1u, got);
    EXPECT_EQ('\0', byte);
    closeFile(file);
}

TEST_F(FilesTest, OpensOnlyFilesAndReadsWhatIsThere) {
    folder.makeFolder("folder.ntf");
    EXPECT_EQ(noFile, openFileForReading(folder.at("missing").c_str(), false));
    EXPECT_EQ(noFile, openFileForReading(folder.at("folder.ntf").c_str(), true));
    folder.write("three.bin", std::string("abc"));
    FileHandle file = openFileForReading(folder.at("three.bin").c_str(), false);
    ASSERT_NE(noFile, file);
    char buffer[8] = {};
    uint32_t got = 99;
    EXPECT_TRUE(readFile(file, buffer, sizeof buffer, &got)) << "a short read is no error";
    EXPECT_EQ("abc", std::string(buffer, got));
    EXPECT_TRUE(readFile(file, buffer, sizeof buffer, &got));
    EXPECT_EQ(0u, got);
    closeFile(file);
}

#ifdef _WIN32
TEST_F(FilesTest, AnExclusiveOpenerKeepsOthersOut) {
    folder.write("shared.bin", std::string("abc"));
    std::string path = folder.at("shared.bin");
    FileHandle holder = openFileForReading(path.c_str(), true);
    ASSERT_NE(noFile, holder);
    EXPECT_EQ(noFile, openFileForReading(path.c_str(), false));
    closeFile(holder);
    FileHandle after = openFileForReading(path.c_str(), false);
    EXPECT_NE(noFile, after);
    closeFile(after);
}
#endif

TEST_F(FilesTest, AtomicWriteCreatesAndReplacesWholly) {
    std::string path = folder.at("out.nfo");
    ASSERT_TRUE(writeFileAtomically(path.c_str(), "first version, rather long", 26));
    EXPECT_EQ("first version, rather long", folder.read("out.nfo"));
    ASSERT_TRUE(writeFileAtomically(path.c_str(), "second", 6));
    EXPECT_EQ("second", folder.read("out.nfo"));
    ASSERT_TRUE(writeFileAtomically(path.c_str(), "", 0));
    EXPECT_EQ("", folder.read("out.nfo"));
    EXPECT_EQ(std::vector<std::string>{"out.nfo"}, folder.names()) << "no temporary file is left";
}

TEST_F(FilesTest, AtomicWriteIntoAMissingFolderFailsToOpen) {
    std::string path = folder.at("missing") + pathSeparator + "out.nfo";
    EXPECT_FALSE(writeFileAtomically(path.c_str(), "x", 1));
    EXPECT_EQ(uint32_t(FileOpenFailed), LastError.code);
    EXPECT_STREQ("Failed to open file", LastError.message.chars());
    EXPECT_TRUE(folder.names().empty());
}

// The new bytes cannot take the place of a folder: the move fails, the folder and what it holds
// stay, and the temporary file goes.
TEST_F(FilesTest, AFailedMoveLeavesTheOldEntryWholeAndNoTemporaryFile) {
    folder.makeFolder("taken.nfo");
    folder.write(std::string("taken.nfo") + pathSeparator + "inside.txt", std::string("kept"));
    std::string path = folder.at("taken.nfo");
    EXPECT_FALSE(writeFileAtomically(path.c_str(), "new", 3));
    EXPECT_EQ(uint32_t(FileMoveFailed), LastError.code);
    EXPECT_STREQ("Failed to move file", LastError.message.chars());
    EXPECT_EQ(std::vector<std::string>{"taken.nfo"}, folder.names());
    EXPECT_EQ("kept", folder.read(std::string("taken.nfo") + pathSeparator + "inside.txt"));
}

#ifdef _WIN32
// A file held by another opener cannot be replaced: its old bytes stay whole.
TEST_F(FilesTest, AFileHeldOpenKeepsItsOldBytes) {
    folder.write("held.nfo", std::string("old bytes"));
    std::string path = folder.at("held.nfo");
    FileHandle holder = openFileForReading(path.c_str(), true);
    ASSERT_NE(noFile, holder);
    EXPECT_FALSE(writeFileAtomically(path.c_str(), "new", 3));
    EXPECT_EQ(uint32_t(FileMoveFailed), LastError.code);
    closeFile(holder);
    EXPECT_EQ("old bytes", folder.read("held.nfo"));
    EXPECT_EQ(std::vector<std::string>{"held.nfo"}, folder.names());
}
#endif

#ifndef _WIN32
TEST_F(FilesTest, AtomicWriteKeepsTheReplacedFilesPermissions) {
    std::string path = folder.at("mode.nfo");
    folder.write("mode.nfo", std::string("old"));
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeFileAtomically(path.c_str(), "new", 3));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(path).permissions() & fs::perms::all);
}
#endif

bool collect(const char* name, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(name);
    return true;
}

TEST_F(FilesTest, FindFilesMatchesTheExtensionInAnyCaseAndLeavesFoldersOut) {
    CurrentFolder inside(folder.path());
    std::vector<std::string> found;
    EXPECT_TRUE(findFiles(".ntf", collect, &found)) << "finding nothing is no failure";
    EXPECT_TRUE(found.empty());
    for (const char* name : {"a.ntf", "B.NTF", "c.Ntf", ".ntf", "d.ntfx", "e.txt", "ntf"}) {
        folder.write(name, std::string("x"));
    }
    folder.makeFolder("folder.ntf");
    EXPECT_TRUE(findFiles(".ntf", collect, &found));
    std::sort(found.begin(), found.end());
    EXPECT_EQ((std::vector<std::string>{".ntf", "B.NTF", "a.ntf", "c.Ntf"}), found);

    found.clear();
    const auto stopAtFirst = [](const char* name, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(name);
        return false;
    };
    EXPECT_FALSE(findFiles(".ntf", stopAtFirst, &found)) << "the visit stops the search";
    EXPECT_EQ(1u, found.size());
}

}  // namespace
