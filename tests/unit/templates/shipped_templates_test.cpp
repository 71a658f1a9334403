// The shipped templates. The command-line goldens fix what they render for a set of sheets; this
// checks what a golden made by the program itself cannot: that no template line is so long that
// it is cut, or holds UTF-8 art.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine_test_support.h"

using namespace enginetest;

TEST(ShippedTemplatesTest, LinesFitAndTheArtIsSingleByte) {
    for (const char* name : {"Default.ntf", "Compact.ntf", "Wide.ntf"}) {
        const std::string text = sourceFile(std::string("templates/") + name);
        ASSERT_FALSE(text.empty()) << name;
        for (size_t at = 0, end; at < text.size(); at = end + 1) {
            end = std::min(text.find('\n', at), text.size());
            const std::string line = text.substr(at, end - at);
            EXPECT_LE(line.size() - (line.empty() ? 0 : line.back() == '\r'), 79u) << line;
            // Box drawing and shades saved as UTF-8 would widen the lines.
            EXPECT_TRUE(line.find("\xE2\x95") == line.npos && line.find("\xE2\x96") == line.npos &&
                        line.find('\0') == line.npos)
                << name << ": " << line;
        }
        EXPECT_TRUE(generate(text, filledForm()).succeeded()) << name;
    }
}
