// String: the null and zero-length states, and every operation that makes or changes a String.
#include "foundation/string.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "foundation/memory.h"

// Each row starts from a String made from a C string (null: a null pointer), changes it, and
// checks it whole: a null String (nullopt) has no characters, length 0 and equals only a null
// pointer; any other holds exactly the expected text and never equals a null pointer, nor any
// other text. Where failAt is given, that allocation of the change fails, unreported.
TEST(StringTest, EveryOperationLeavesTheExpectedState) {
    typedef String S;
    const std::optional<std::string> null;
    std::string high;  // bytes 0xE0 to 0xFE
    for (int c = 0xE0; c <= 0xFE; ++c)
        high += static_cast<char>(c);
    const std::string x5000(5000, 'x'), y4095(4095, 'y');
    const struct {
        const char* start;
        std::function<void(S&)> change;
        std::optional<std::string> expected;
        uint32_t failAt = 0;
    } cases[] = {
        // clang-format off
        {nullptr, [](S&) {}, null}, {"", [](S&) {}, ""}, {"abc", [](S& s) { s = S(); }, null},
        {nullptr, [](S& s) { s = S(s); }, null}, {"", [](S& s) { s = S(s); }, ""},
        {"xyz", [](S& s) { S(s).toUpper(); }, "xyz"},
        {"xyz", [](S& s) { (S() = s).toUpper(); }, "xyz"}, {"abc", [](S& s) { s = "de"; }, "de"},
        {"abc", [](S& s) { s = static_cast<const char*>(nullptr); }, null},
        {"hello world", [](S& s) { s.assign(s.chars() + 6); }, "world"},
        {"xy", [](S& s) { s = s; }, "xy"}, {"abc", [](S& s) { s.clear(); }, null},
        {"abc", [](S& s) { s.append(""); }, "abc"}, {"abc", [](S& s) { s += "de"; }, "abcde"},
        {"abc", [](S& s) { s.append(static_cast<const char*>(nullptr)); }, "abc"},
        {nullptr, [](S& s) { s.append("x"); }, "x"}, {"", [](S& s) { s.append("x"); }, "x"},
        {"", [](S& s) { s.append(static_cast<const char*>(nullptr)); }, null},
        {"hi", [](S& s) { s += S("!"); }, "hi!"}, {"xy", [](S& s) { s += s; }, "xyxy"},
        {"abc", [](S& s) { s.append(s.chars()); }, "abcabc"},
        {"abcabc", [](S& s) { s.append(s.chars() + 4); }, "abcabcbc"},
        {"File not found", [](S& s) { s = s + ": " + "Quenby.jam"; }, "File not found: Quenby.jam"},
        {nullptr, [](S& s) { s = s + "x"; }, "x"}, {"abc", [](S& s) { s = s.left(0); }, ""},
        {"abc", [](S& s) { s = s.left(2); }, "ab"}, {"abc", [](S& s) { s = s.left(10); }, "abc"},
        {"abc", [](S& s) { s = s.mid(1, 1); }, "b"}, {"abc", [](S& s) { s = s.mid(1); }, "bc"},
        {"abc", [](S& s) { s = s.mid(3); }, ""}, {"abc", [](S& s) { s = s.mid(5); }, ""},
        {"abc", [](S& s) { s = s.mid(2, 0xFFFFFFFF); }, "c"},
        {"abc", [](S& s) { s.mid(1, 1); }, "abc"},
        {nullptr, [](S& s) { s = s.left(3); }, null}, {nullptr, [](S& s) { s = s.mid(0); }, null},
        {"", [](S& s) { s = s.mid(0); }, ""}, {"abz{~`@[", [](S& s) { s.toUpper(); }, "ABZ{~`@["},
        {high.c_str(), [](S& s) { s.toUpper(); }, high}, {nullptr, [](S& s) { s.toUpper(); }, null},
        {"old", [](S& s) { s.format("%s-%u", "line", 7u); }, "line-7"},
        {"", [&](S& s) { s.format("%s!", x5000.c_str()); }, std::string(4095, 'x')},
        {"", [&](S& s) { s.format("%s", y4095.c_str()); }, y4095},
        {"abcdef", [](S& s) { EXPECT_TRUE(s.resize(4)); }, "abc"},
        {"abc", [](S& s) { EXPECT_TRUE(s.resize(0)); }, null},
        {nullptr, [](S& s) { EXPECT_TRUE(s.resize(1)); }, ""},
        {nullptr, [](S& s) { EXPECT_TRUE(s.resize(3)); EXPECT_EQ(2u, s.length());
                             EXPECT_TRUE(s.resize(1)); }, ""},
        {nullptr, [](S& s) { s = S("abc"); }, null, 1},
        {"abc", [](S& s) { s.append("d"); }, null, 1}, {"ab", [](S& s) { s = s + "c"; }, null, 1},
        {"abc", [](S& s) { EXPECT_FALSE(s.resize(9)); }, "abc", 1},
        {"kept", [](S& s) { s.format("new"); }, "kept", 1},
        {"abc", [](S& s) { s = s.mid(1); }, null, 1},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        S s(c.start);
        failNthAllocation(c.failAt);
        c.change(s);
        failNthAllocation(0);
        const std::string text = c.expected.value_or("");
        SCOPED_TRACE(c.expected ? "\"" + text.substr(0, 20) + "\"" : "null");
        EXPECT_EQ(!c.expected, s.chars() == nullptr);
        EXPECT_EQ(text, std::string(orEmpty(s), s.length()));
        EXPECT_EQ(text.empty(), s.isEmpty());
        EXPECT_EQ(!c.expected, s == nullptr);
        EXPECT_EQ(c.expected.has_value(), s == text.c_str());
        EXPECT_TRUE(s != (text + " ").c_str());
        EXPECT_TRUE(s != "ABC");
        EXPECT_TRUE(text.empty() || s != "");
    }
}
