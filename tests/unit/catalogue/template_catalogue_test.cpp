// The template catalogue: the default template from Quenby.jam, the loose *.ntf files beside it.
#include "catalogue/template_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_fixture.h"
#include "catalogue/current_template.h"
#include "files/temp_folder.h"
#include "foundation/errors.h"
#include "foundation/list.h"
#include "foundation/memory.h"
#include "jam_writer.h"

namespace {

const std::string defaultText = "#COMMENT the archive's default\r\n#TITLE 1 0 -1\r\n\r\n";

class TemplateCatalogueTest : public ::testing::Test {
protected:
    void TearDown() override {
        releaseCatalogue();
        templateArchive.close();  // before the folder goes: Windows cannot remove a held file
        CurrentTemplate.name.clear();
    }

    void writeArchive(const std::vector<jam::Entry>& entries) {
        std::string error;
        ASSERT_TRUE(jam::pack(folder.at("Quenby.jam"), entries, error)) << error;
    }

    static std::vector<std::string> listedNames() {
        std::vector<std::string> names;
        ListNode* node = templateNames.first;
        for (uint32_t i = 0; i < templateNames.count; ++i, node = node->next) {
            names.push_back(static_cast<String*>(node->item)->chars());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string loadedText() {
        if (CurrentTemplate.text == nullptr)
            return "<none>";
        return std::string(CurrentTemplate.text, CurrentTemplate.size);
    }

    static std::string message() {
        return LastError.message.chars() != nullptr ? LastError.message.chars() : "<null>";
    }

    void expectLoadFails(const char* name, uint32_t code, const std::string& text,
                         const char* nameAfter) {
        EXPECT_FALSE(loadTemplate(String(name)));
        EXPECT_EQ(code, LastError.code);
        EXPECT_EQ(text, message());
        EXPECT_EQ(nullptr, CurrentTemplate.text);
        EXPECT_STREQ(nameAfter, CurrentTemplate.name.chars());
    }

    void expectBuildFails(uint32_t code, const std::string& text) {
        EXPECT_FALSE(buildCatalogue());
        EXPECT_EQ(code, LastError.code);
        EXPECT_EQ(text, message());
        EXPECT_EQ(nullptr, CurrentTemplate.text);
    }

    TempFolder folder;
    CurrentFolder inside{folder.path()};
};

TEST_F(TemplateCatalogueTest, BuildLoadsTheDefaultAndListsTheLooseTemplates) {
    writeArchive({entry("Default.ntf", defaultText), entry("Other.ntf", "unused")});
    folder.write("Mine.ntf", std::string("mine"));
    folder.write("Shout.NTF", std::string("shout"));
    folder.write(".ntf", std::string("nameless"));
    folder.write("Default.ntf", std::string("loose default"));
    folder.write("notes.txt", std::string("not a template"));
    folder.write("Mine.ntf.bak", std::string("not a template"));
    folder.makeFolder("Folder.ntf");

    ASSERT_TRUE(buildCatalogue()) << message();
    EXPECT_STREQ("<Default>", CurrentTemplate.name.chars());
    EXPECT_EQ(defaultText, loadedText());
    EXPECT_EQ((std::vector<std::string>{"", "Default", "Mine", "Shout"}), listedNames());
    EXPECT_TRUE(templateArchive.isOpen());

    releaseCatalogue();
    EXPECT_EQ(0u, templateNames.count);
    EXPECT_EQ(nullptr, templateNames.first);
    EXPECT_EQ(nullptr, CurrentTemplate.text);
}

// Whatever is wrong with the archive, start-up says the same.
TEST_F(TemplateCatalogueTest, AnyArchiveFailureReadsAsNotFound) {
    expectBuildFails(FileNotFound, "File not found: Quenby.jam");

    writeArchive({entry("Default.ntf", defaultText)});
    std::string intact = folder.read("Quenby.jam");
    std::vector<uint8_t> newer(intact.begin(), intact.end());
    newer[24] = 2;
    jam::reseal(newer);
    std::string wrongSignature = intact;
    wrongSignature[3] ^= 1;
    std::string damagedData = intact;
    damagedData.back() ^= 1;
    for (const std::string& bytes : {intact.substr(0, 40), wrongSignature, damagedData,
                                     std::string(newer.begin(), newer.end())}) {
        folder.write("Quenby.jam", bytes);
        expectBuildFails(FileNotFound, "File not found: Quenby.jam");
        EXPECT_FALSE(templateArchive.isOpen());
    }
    std::filesystem::remove(folder.at("Quenby.jam"));
    folder.makeFolder("Quenby.jam");
    expectBuildFails(FileNotFound, "File not found: Quenby.jam");
}

TEST_F(TemplateCatalogueTest, AnIntactArchiveWithoutAUsableDefaultIsCorrupt) {
    const std::vector<std::vector<jam::Entry>> archives = {
        {entry("Other.ntf", "no default here")},
        {entry("default.ntf", "wrong case")},
        {entry("Default.ntf", "")},
        {entry("Default.ntf", "compressed", 0x01)},
    };
    for (const std::vector<jam::Entry>& entries : archives) {
        templateArchive.close();
        writeArchive(entries);
        expectBuildFails(CustomError, "Quenby.jam is corrupt!");
        EXPECT_EQ(0u, templateNames.count) << "the search is not made";
    }
}

TEST_F(TemplateCatalogueTest, EveryDefaultLoadReadsTheArchiveAfresh) {
    writeArchive({entry("Default.ntf", defaultText)});
    ASSERT_TRUE(buildCatalogue()) << message();
    EXPECT_EQ(0u, templateNames.count) << "no loose templates, an empty list";
    std::fill(CurrentTemplate.text, CurrentTemplate.text + CurrentTemplate.size, 'x');
    ASSERT_TRUE(loadTemplate(String("<Default>")));
    EXPECT_EQ(defaultText, loadedText());
#ifndef _WIN32
    // On Windows the archive is held with sharing denied; elsewhere its bytes can be changed
    // in place, and the next load sees them.
    std::string bytes = folder.read("Quenby.jam");
    size_t at = bytes.rfind("default");
    ASSERT_NE(std::string::npos, at);
    bytes.replace(at, 7, "DEFAULT");
    {
        std::FILE* file = std::fopen("Quenby.jam", "r+b");
        ASSERT_NE(nullptr, file);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    ASSERT_TRUE(loadTemplate(String("<Default>")));
    EXPECT_NE(std::string::npos, loadedText().find("DEFAULT"));
#endif
}

TEST_F(TemplateCatalogueTest, LooseTemplatesLoadUnderTheirFileName) {
    writeArchive({entry("Default.ntf", defaultText)});
    folder.write("Mine.ntf", std::string("mine\r\n"));
    folder.write("Default.ntf", std::string("the loose one"));
    folder.write(".ntf", std::string("nameless"));
    ASSERT_TRUE(buildCatalogue()) << message();

    ASSERT_TRUE(loadTemplate(String("Mine")));
    EXPECT_STREQ("Mine.ntf", CurrentTemplate.name.chars());
    EXPECT_EQ("mine\r\n", loadedText());

    ASSERT_TRUE(loadTemplate(String("Default")));
    EXPECT_STREQ("Default.ntf", CurrentTemplate.name.chars());
    EXPECT_EQ("the loose one", loadedText());

    ASSERT_TRUE(loadTemplate(String("")));
    EXPECT_STREQ(".ntf", CurrentTemplate.name.chars());
    EXPECT_EQ("nameless", loadedText());

    ASSERT_TRUE(loadTemplate(String("<Default>")));
    EXPECT_STREQ("<Default>", CurrentTemplate.name.chars());
    EXPECT_EQ(defaultText, loadedText());
}

// Loading always appends ".ntf" in lower case: on a file system that tells case apart, a file
// listed from Mine.NTF is not found under Mine.ntf.
TEST_F(TemplateCatalogueTest, AnUpperCaseExtensionIsListedWithoutIt) {
    writeArchive({entry("Default.ntf", defaultText)});
    folder.write("Mine.NTF", std::string("upper"));
    ASSERT_TRUE(buildCatalogue()) << message();
    EXPECT_EQ(std::vector<std::string>{"Mine"}, listedNames());
#ifdef _WIN32
    ASSERT_TRUE(loadTemplate(String("Mine")));
    EXPECT_EQ("upper", loadedText());
#else
    expectLoadFails("Mine", FileOpenFailed, "Failed to open file: Mine.ntf", "Mine.ntf");
#endif
}

TEST_F(TemplateCatalogueTest, FailedLooseLoadsLeaveNoTextAndTheFileName) {
    writeArchive({entry("Default.ntf", defaultText)});
    folder.write("Mine.ntf", std::string());
    folder.write("Gone.ntf", std::string("soon deleted"));
    folder.makeFolder("Dir.ntf");
    ASSERT_TRUE(buildCatalogue()) << message();
    std::filesystem::remove(folder.at("Gone.ntf"));
    EXPECT_EQ((std::vector<std::string>{"Gone", "Mine"}), listedNames())
        << "the list is not refreshed";

    expectLoadFails("Mine", CustomError, "File is empty: Mine.ntf", "Mine.ntf");
    expectLoadFails("Gone", FileOpenFailed, "Failed to open file: Gone.ntf", "Gone.ntf");
    expectLoadFails("Dir", FileOpenFailed, "Failed to open file: Dir.ntf", "Dir.ntf");
    // A null name (the caller's allocation failed) is not the zero-length name of ".ntf".
    folder.write(".ntf", std::string("nameless"));
    expectLoadFails(nullptr, OutOfMemory, "Out of memory", "Dir.ntf");
}

TEST_F(TemplateCatalogueTest, AFailedDefaultLoadKeepsThePreviousName) {
    writeArchive({entry("Default.ntf", defaultText)});
    folder.write("Mine.ntf", std::string("mine"));
    ASSERT_TRUE(buildCatalogue()) << message();
    ASSERT_TRUE(loadTemplate(String("Mine")));
    templateArchive.close();  // the entry can no longer be read
    expectLoadFails("<Default>", CustomError, "Quenby.jam is corrupt!", "Mine.ntf");
}

TEST_F(TemplateCatalogueTest, ATemplateFileAnywhereLoadsUnderItsDisplayName) {
    folder.makeFolder("sub");
    std::string path = folder.at(std::string("sub") + pathSeparator + "x.txt");
    folder.write(std::string("sub") + pathSeparator + "x.txt", std::string("any text"));
    ASSERT_TRUE(loadTemplateFile(path.c_str(), "Custom"));
    EXPECT_STREQ("Custom", CurrentTemplate.name.chars());
    EXPECT_EQ("any text", loadedText());

    EXPECT_FALSE(loadTemplateFile(folder.at("missing").c_str(), "Custom"));
    EXPECT_STREQ("Failed to open file: Custom", message().c_str());
    EXPECT_EQ(nullptr, CurrentTemplate.text);
    EXPECT_STREQ("Custom", CurrentTemplate.name.chars());
}

// Every allocation is made to fail in turn: each build or load fails with its message, and
// what it leaves behind is released as usual (nothing leaks under a memory checker).
TEST_F(TemplateCatalogueTest, EachFailedAllocationFailsCleanly) {
    writeArchive({entry("Default.ntf", defaultText)});
    for (const char* name : {"One.ntf", "Two.ntf", "Three.ntf"})
        folder.write(name, "text");
    bool listingRanOut = false, loadRanOut = false;
    for (uint32_t n = 1; n <= 200; ++n) {  // beyond the node pool's growth of 128
        freeNodePool();
        failNthAllocation(n);
        bool built = buildCatalogue();
        bool loaded = built && loadTemplate(String("Two"));
        failNthAllocation(0);
        SCOPED_TRACE(n);
        if (!built) {
            EXPECT_TRUE(message() == "File not found: Quenby.jam" ||
                        message() == "Quenby.jam is corrupt!" || message() == "Out of memory")
                << message();
            listingRanOut |= templateArchive.isOpen() && message() == "Out of memory";
        } else if (!loaded) {
            EXPECT_EQ(nullptr, CurrentTemplate.text);
            loadRanOut |= message() == "Out of memory";
        }
        releaseCatalogue();
        templateArchive.close();
    }
    EXPECT_TRUE(listingRanOut);
    EXPECT_TRUE(loadRanOut);
}

// A template of 4 GiB or more cannot be held; its size is not cut to 32 bits.
TEST_F(TemplateCatalogueTest, ATemplateBeyondFourGigabytesIsRefused) {
    folder.write("Huge.ntf", std::string("h"));
    std::error_code error;
    std::filesystem::resize_file(folder.at("Huge.ntf"), 0x100000005ULL, error);
    if (error)
        GTEST_SKIP() << "no sparse file here: " << error.message();
    expectLoadFails("Huge", OutOfMemory, "Out of memory", "Huge.ntf");
}

#ifndef _WIN32
TEST_F(TemplateCatalogueTest, AFileThatCannotBeSoughtFailsToSeek) {
    EXPECT_FALSE(loadTemplateFile("/proc/self/status", "Status.ntf"));
    EXPECT_EQ(uint32_t(FileSeekFailed), LastError.code);
    EXPECT_EQ("Failed to seek in file: Status.ntf", message());
    EXPECT_EQ(nullptr, CurrentTemplate.text);
}

// A kernel attribute file claims a page of size but yields only a few bytes.
TEST_F(TemplateCatalogueTest, AFileShorterThanItsSizeFailsToRead) {
    const char* path = "/sys/kernel/mm/transparent_hugepage/enabled";
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " is not here";
    EXPECT_FALSE(loadTemplateFile(path, "Short.ntf"));
    EXPECT_EQ(uint32_t(FileReadFailed), LastError.code);
    EXPECT_EQ("Failed to read from file: Short.ntf", message());
    EXPECT_EQ(nullptr, CurrentTemplate.text);
}
#endif

}  // namespace
