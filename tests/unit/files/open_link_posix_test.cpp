// openLink on POSIX hands the link to xdg-open from the PATH; a stand-in records what it got.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "files/temp_folder.h"
#include "foundation/files.h"

TEST(OpenLinkTest, HandsTheLinkWholeToTheDesktopHandlerWhenThereIsOne) {
    TempFolder folder;
    const std::string path = getenv("PATH") != nullptr ? getenv("PATH") : "",
                      log = folder.at("log");
    setenv("PATH", folder.path().c_str(), 1);
    EXPECT_FALSE(openLink("https://example.org/", nullptr)) << "no handler can be started";
    folder.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + log + ".part'\n/bin/mv '" + log +
                                 ".part' '" + log + "'\n");
    chmod(folder.at("xdg-open").c_str(), 0755);
    const char* link = "mailto:someone@example.org?subject=Quenby feedback...";
    EXPECT_TRUE(openLink(link, nullptr));
    setenv("PATH", path.c_str(), 1);
    for (int wait = 0; wait < 500 && !std::filesystem::exists(log); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(link, folder.read("log")) << "passed as one argument, without a shell";
}

#endif
