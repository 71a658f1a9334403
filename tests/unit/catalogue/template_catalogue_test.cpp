// The template catalogue: the default template from Quenby.jam, the loose *.ntf files beside it,
// and every failure of building it or of loading a template, with its exact message.
#include "catalogue/template_catalogue.h"

#include <algorithm>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <thread>
#endif

#include "archive/archive_fixture.h"
#include "catalogue/current_template.h"
#include "foundation/list.h"

namespace {

const std::string defaultText = "#TITLE 1 0 -1\r\n\r\n";

std::string archive(const std::vector<jam::Entry>& entries) {
    const Image image = packed(entries);
    return std::string(image.begin(), image.end());
}

std::string loaded() {
    return CurrentTemplate.text ? std::string(CurrentTemplate.text, CurrentTemplate.size)
                                : "<none>";
}

// A scratch current folder with Quenby.jam and loose files, each holding its own name.
class TemplateCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write("Quenby.jam", intact);
        for (const char* name :
             {"Mine.ntf", "Shout.NTF", ".ntf", "Default.ntf", "notes.txt", "Mine.ntf.bak"})
            folder.write(name, name);
        folder.write("Empty.ntf", "");
        folder.makeFolder("Dir.ntf");
    }
    void TearDown() override {
        releaseCatalogue();
        templateArchive.close();  // before the folder goes: Windows cannot remove a held file
    }

    const std::string intact =
        archive({entry("Default.ntf", defaultText), entry("Other.ntf", "x")});
    TempFolder folder;
    CurrentFolder inside{folder.path()};
};

// Every load reads its source afresh: the text loaded before is scribbled over first.
TEST_F(TemplateCatalogueTest, BuildListsTheLooseTemplatesAndEachNameLoadsFromItsSource) {
    ASSERT_TRUE(buildCatalogue()) << orEmpty(LastError.message);
    EXPECT_STREQ("<Default>", CurrentTemplate.name.chars());
    EXPECT_EQ(defaultText, loaded());
    std::vector<std::string> names;
    ListNode* node = templateNames.first;
    for (uint32_t i = 0; i < templateNames.count; ++i, node = node->next)
        names.push_back(static_cast<String*>(node->item)->chars());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"", "Default", "Empty", "Mine", "Shout"}), names);
    const char* const cases[][3] = {
        // clang-format off
        {"Mine", "Mine.ntf", "Mine.ntf"}, {"<Default>", "<Default>", defaultText.c_str()},
        {"Default", "Default.ntf", "Default.ntf"}, {"", ".ntf", ".ntf"},
        {"<Default>", "<Default>", defaultText.c_str()},
#ifdef _WIN32
        {"Shout", "Shout.ntf", "Shout.NTF"},
#endif
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases) + ": " + c[0]);
        std::fill(CurrentTemplate.text, CurrentTemplate.text + CurrentTemplate.size, 'x');
        ASSERT_TRUE(loadTemplate(String(c[0])));
        EXPECT_STREQ(c[1], CurrentTemplate.name.chars());
        EXPECT_EQ(c[2], loaded());
    }
    ASSERT_TRUE(loadTemplateFile(folder.at("notes.txt").c_str(), "Notes"));
    EXPECT_STREQ("Notes", CurrentTemplate.name.chars());
    EXPECT_EQ("notes.txt", loaded());
    releaseCatalogue();
    EXPECT_EQ(0u, templateNames.count);
    EXPECT_EQ(nullptr, CurrentTemplate.text);
}

// A build row (no name) builds over its archive ("" for none). A load row builds over the intact
// archive, loads Mine, then its name: "<null>" is a null String, "<Default>" is loaded with the
// archive closed.
TEST_F(TemplateCatalogueTest, EveryFailureLeavesNoTextAndItsMessage) {
    std::string wrongSignature = intact;
    wrongSignature[3] ^= 1;
    folder.write("Huge.ntf", "h");
    std::filesystem::resize_file(folder.at("Huge.ntf"), 0x100000005ULL);  // 4 GiB and 5 bytes
#ifndef _WIN32
    std::filesystem::create_symlink("/proc/self/status", folder.at("Status.ntf"));
    // A kernel attribute file claims a page of size but yields only a few bytes.
    std::filesystem::create_symlink("/sys/devices/system/cpu/online", folder.at("Short.ntf"));
    // A pipe with no writer and a device are refused at once, not waited on or read.
    ASSERT_EQ(0, mkfifo(folder.at("Fifo.ntf").c_str(), 0600));
    std::filesystem::create_symlink("/dev/zero", folder.at("Zero.ntf"));
    alarm(20);  // a wait in open ends the test run rather than hanging it
#endif
    const std::string notFound = "File not found: Quenby.jam", corrupt = "Quenby.jam is corrupt!";
    const struct {
        std::string archive, message;
        const char *name = nullptr, *nameAfter = nullptr;
    } cases[] = {
        // clang-format off
        {"", notFound}, {wrongSignature, notFound}, {archive({entry("Other.ntf", "x")}), corrupt},
        {archive({entry("default.ntf", "wrong case")}), corrupt},
        {archive({entry("Default.ntf", "")}), corrupt},
        {archive({entry("Default.ntf", "compressed", 1)}), corrupt},
        {intact, corrupt, "<Default>", "Mine.ntf"}, {intact, "Out of memory", "<null>", "Mine.ntf"},
        {intact, "File is empty: Empty.ntf", "Empty", "Empty.ntf"},
        {intact, "Failed to open file: Missing.ntf", "Missing", "Missing.ntf"},
        {intact, "Failed to open file: Dir.ntf", "Dir", "Dir.ntf"},
        // Too big for one block: its size is not cut to the low 32 bits.
        {intact, "Out of memory", "Huge", "Huge.ntf"},
#ifndef _WIN32
        // ".ntf" is appended in lower case, and this file system tells case apart.
        {intact, "Failed to open file: Shout.ntf", "Shout", "Shout.ntf"},
        {intact, "Failed to seek in file: Status.ntf", "Status", "Status.ntf"},
        {intact, "Failed to read from file: Short.ntf", "Short", "Short.ntf"},
        {intact, "Failed to open file: Fifo.ntf", "Fifo", "Fifo.ntf"},
        {intact, "Failed to open file: Zero.ntf", "Zero", "Zero.ntf"},
#endif
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases) + ": " + (c.name ? c.name : c.message));
        releaseCatalogue();
        templateArchive.close();
        std::filesystem::remove(folder.at("Quenby.jam"));
        if (!c.archive.empty())
            folder.write("Quenby.jam", c.archive);
        if (c.name == nullptr) {
            EXPECT_FALSE(buildCatalogue());
            EXPECT_EQ(0u, templateNames.count) << "no search after a failed start";
        } else {
            ASSERT_TRUE(buildCatalogue());
            ASSERT_TRUE(loadTemplate(String("Mine")));
            if (c.name == std::string("<Default>"))
                templateArchive.close();
            EXPECT_FALSE(loadTemplate(String(c.name == std::string("<null>") ? nullptr : c.name)));
            EXPECT_STREQ(c.nameAfter, CurrentTemplate.name.chars());
        }
        EXPECT_EQ(c.message, orEmpty(LastError.message));
        EXPECT_EQ(nullptr, CurrentTemplate.text);
    }
#ifndef _WIN32
    alarm(0);
#endif
}

// Every allocation made to fail in turn, beyond the node pool's growth of 128: each build or
// load fails with its message and leaves nothing behind (nothing leaks under a memory checker).
TEST_F(TemplateCatalogueTest, EachFailedAllocationFailsCleanly) {
    bool listingRanOut = false, loadRanOut = false;
    for (uint32_t n = 1; n <= 200; ++n) {
        SCOPED_TRACE(n);
        freeNodePool();
        failNthAllocation(n);
        const bool built = buildCatalogue(), loadedMine = built && loadTemplate(String("Mine"));
        failNthAllocation(0);
        const std::string message = orEmpty(LastError.message);
        EXPECT_TRUE((built && loadedMine) || message == "Out of memory" ||
                    message == "Quenby.jam is corrupt!" || message == "File not found: Quenby.jam")
            << message;
        EXPECT_TRUE(!built || loadedMine || CurrentTemplate.text == nullptr);
        EXPECT_TRUE(!built || templateNames.count == 5) << "a name lost, yet a success";
        EXPECT_TRUE(!loadedMine || loaded() == "Mine.ntf") << "another template";
        listingRanOut |= !built && templateArchive.isOpen() && message == "Out of memory";
        loadRanOut |= built && !loadedMine;
        releaseCatalogue();
        templateArchive.close();
    }
    EXPECT_TRUE(listingRanOut) << "no allocation of the listing failed";
    EXPECT_TRUE(loadRanOut) << "no allocation of the load failed";
}

#ifndef _WIN32
// A pipe the user names (no measure, no seek) is read to its end, however long; empty, it is an
// empty file.
TEST_F(TemplateCatalogueTest, APipeNamedByTheUserIsReadToItsEnd) {
    for (const std::string& text : {std::string(200000, 'x'), std::string()}) {
        ASSERT_EQ(0, mkfifo(folder.at("pipe").c_str(), 0600));
        std::thread writer([&] { std::ofstream(folder.at("pipe"), std::ios::binary) << text; });
        EXPECT_EQ(!text.empty(), loadTemplateFile(folder.at("pipe").c_str(), "Pipe"));
        writer.join();
        std::filesystem::remove(folder.at("pipe"));
        EXPECT_EQ(text.empty() ? "<none>" : text, loaded());
        if (text.empty())
            EXPECT_STREQ("File is empty: Pipe", orEmpty(LastError.message));
        unloadTemplate();
    }
}
#endif

}  // namespace
