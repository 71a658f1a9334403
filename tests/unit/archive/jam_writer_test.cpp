// The archive writer refuses what the reader could not tell apart.
#include "foundation/jam_writer.h"

#include "archive/archive_fixture.h"

TEST(JamWriterTest, RefusesWhatTheReaderCouldNotTellApart) {
    const std::string name(65536, 'n');
    const std::pair<std::vector<jam::Entry>, std::string> cases[] = {
        // clang-format off
        {{}, "an archive needs at least one entry"},
        {{entry("", "x")}, "an entry name cannot be empty"},
        {{entry("Same", "1"), entry("Same", "2")}, "duplicate entry name: Same"},
        {{entry(name, "x")}, "entry name longer than 65535 bytes: " + name.substr(0, 40) + "..."},
        {{entry(name.substr(1), "x")}, ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        jam::Layout layout;
        std::string error;
        EXPECT_EQ(c.second.empty(), jam::plan(c.first, layout, error));
        EXPECT_EQ(c.second, error);
    }
}
