// Every allocation of open and read is made to fail in turn: each failure is reported and leaves
// the archive closed (open) or unchanged (read), and nothing leaks (run under a memory checker).
#include "archive/archive_fixture.h"
#include "foundation/memory.h"

namespace {

class JamArchiveMemoryTest : public ArchiveTest {
protected:
    void TearDown() override { failNthAllocation(0); }
};

TEST_F(JamArchiveMemoryTest, EachFailedAllocationFailsCleanly) {
    writeArchive(packed({entry("Default.ntf", "text")}));
    int outOfMemory = 0;
    for (uint32_t n = 1; n <= 40; ++n) {
        failNthAllocation(n);
        bool opened = archive.open("test.jam");
        uint32_t size = 0;
        uint8_t* block = opened ? archive.read("Default.ntf", size) : nullptr;
        failNthAllocation(0);
        SCOPED_TRACE(n);
        if (!opened) {
            EXPECT_FALSE(archive.isOpen());
        } else if (block == nullptr) {
            EXPECT_TRUE(archive.isOpen());
            EXPECT_EQ("text", readEntry("Default.ntf")) << "a failed read changes nothing";
        } else {
            EXPECT_EQ("text", std::string(reinterpret_cast<char*>(block), size));
            memFree(block, size);
        }
        if (LastError.code == OutOfMemory) {
            EXPECT_STREQ("Out of memory", LastError.message.chars()) << "no detail";
            ++outOfMemory;
        }
        archive.close();
        LastError.code = NoError;
    }
    EXPECT_GE(outOfMemory, 3) << "the directory, scratch and entry blocks";
}

}  // namespace
