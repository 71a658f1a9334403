// openLink on POSIX hands the link to xdg-open, found on the PATH. A stand-in xdg-open records
// what it was given.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <string>
#include <thread>

#include "files/temp_folder.h"
#include "foundation/files.h"

namespace {

class OpenLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = getenv("PATH");
        savedPath = path != nullptr ? path : "";
    }
    void TearDown() override { setenv("PATH", savedPath.c_str(), 1); }

    void useOnlyFolderOnPath() { setenv("PATH", folder.path().c_str(), 1); }

    std::string savedPath;
    TempFolder folder;
};

TEST_F(OpenLinkTest, HandsTheLinkToTheDesktopHandler) {
    std::string log = folder.at("opened.txt");
    folder.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + log + ".part'\n/bin/mv '" + log +
                                 ".part' '" + log + "'\n");
    chmod(folder.at("xdg-open").c_str(), 0755);
    useOnlyFolderOnPath();
    const char* link = "mailto:someone@example.org?subject=Quenby feedback...";
    ASSERT_TRUE(openLink(link, nullptr));
    for (int wait = 0; wait < 500 && !folder.exists("opened.txt"); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(folder.exists("opened.txt"));
    EXPECT_EQ(link, folder.read("opened.txt")) << "passed as one argument, without a shell";
}

TEST_F(OpenLinkTest, FailsWhenNoHandlerCanBeStarted) {
    useOnlyFolderOnPath();
    EXPECT_FALSE(openLink("https://example.org/", nullptr));
}

}  // namespace

#endif
