#include "foundation/string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool isNull(const String& s) {
    return s.chars() == nullptr && s.length() == 0 && s.isEmpty();
}

bool isZeroLength(const String& s) {
    return s.chars() != nullptr && s.chars()[0] == 0 && s.length() == 0 && s.isEmpty();
}

TEST(StringTest, NullAndZeroLengthAreDistinctStates) {
    EXPECT_TRUE(isNull(String()));
    EXPECT_TRUE(isNull(String(nullptr)));
    EXPECT_TRUE(isZeroLength(String("")));

    EXPECT_TRUE(String("").equals(""));
    EXPECT_FALSE(String("").equals(nullptr));
    EXPECT_FALSE(String().equals(""));
    EXPECT_TRUE(String().equals(nullptr));

    EXPECT_TRUE(isNull(String(String())));
    EXPECT_TRUE(isZeroLength(String(String(""))));
}

TEST(StringTest, AssignReplacesContentsAndNullPointerMakesNull) {
    String s("abc");
    s = "de";
    EXPECT_STREQ("de", s.chars());
    EXPECT_EQ(2u, s.length());
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(isNull(s));
    s = "de";
    s.clear();
    EXPECT_TRUE(isNull(s));
    String t("xyz");
    s = t;
    EXPECT_STREQ("xyz", s.chars());
    EXPECT_NE(s.chars(), t.chars()) << "copies are deep";
}

TEST(StringTest, AppendFollowsTheEmptyAndNullRules) {
    String abc("abc");
    abc.append("");
    abc.append(static_cast<const char*>(nullptr));
    EXPECT_STREQ("abc", abc.chars());
    abc += "de";
    EXPECT_STREQ("abcde", abc.chars());
    EXPECT_EQ(5u, abc.length());

    String null;
    null.append("x");
    EXPECT_STREQ("x", null.chars());

    String empty("");
    empty.append("x");
    EXPECT_STREQ("x", empty.chars());

    String emptyThenNull("");
    emptyThenNull.append(static_cast<const char*>(nullptr));
    EXPECT_TRUE(isNull(emptyThenNull));

    String other("!");
    String s("hi");
    s += other;
    EXPECT_STREQ("hi!", s.chars());
}

TEST(StringTest, AssignAndAppendFromTheStringsOwnBuffer) {
    String s("hello world");
    s.assign(s.chars() + 6);
    EXPECT_STREQ("world", s.chars());

    String t("abc");
    t.append(t.chars());
    EXPECT_STREQ("abcabc", t.chars());
    t.append(t.chars() + 4);
    EXPECT_STREQ("abcabcbc", t.chars());

    String u("xy");
    u += u;
    EXPECT_STREQ("xyxy", u.chars());
    u = u;
    EXPECT_STREQ("xyxy", u.chars());
}

TEST(StringTest, ConcatenationBuildsTheLeftOperandFirst) {
    String message = String("File not found") + ": " + "Quenby.jam";
    EXPECT_STREQ("File not found: Quenby.jam", message.chars());
    String custom = String() + "Couldn't load cursor resource!";
    EXPECT_STREQ("Couldn't load cursor resource!", custom.chars());
}

TEST(StringTest, LeftAndMidClampToTheText) {
    const String abc("abc");
    EXPECT_TRUE(isZeroLength(abc.left(0)));
    EXPECT_STREQ("abc", abc.left(10).chars());
    EXPECT_STREQ("ab", abc.left(2).chars());
    EXPECT_STREQ("b", abc.mid(1, 1).chars());
    EXPECT_STREQ("bc", abc.mid(1).chars());
    EXPECT_TRUE(isZeroLength(abc.mid(5)));
    EXPECT_TRUE(isZeroLength(abc.mid(3)));
    EXPECT_STREQ("c", abc.mid(2, 0xFFFFFFFFu).chars());
    EXPECT_STREQ("abc", abc.chars()) << "the source is unchanged";

    EXPECT_TRUE(isNull(String().left(3)));
    EXPECT_TRUE(isNull(String().mid(0)));
    EXPECT_TRUE(isZeroLength(String("").mid(0)));
}

TEST(StringTest, ToUpperTouchesOnlyAsciiLetters) {
    String s("abz{~`");
    s.toUpper();
    EXPECT_STREQ("ABZ{~`", s.chars());

    std::string high;
    for (int c = 0xE0; c <= 0xFE; ++c)
        high += static_cast<char>(c);
    String h(high.c_str());
    h.toUpper();
    EXPECT_EQ(high, h.chars());

    String null;
    null.toUpper();
    EXPECT_TRUE(isNull(null));
}

TEST(StringTest, FormatReplacesContentsAndCutsAt4095Characters) {
    String s("old");
    s.format("%s-%u", "line", 7u);
    EXPECT_STREQ("line-7", s.chars());

    std::string big(5000, 'x');
    s.format("[%s]", big.c_str());
    ASSERT_EQ(4095u, s.length());
    EXPECT_EQ('[', s.chars()[0]);
    EXPECT_EQ('x', s.chars()[4094]);

    std::string exact(4095, 'y');
    s.format("%s", exact.c_str());
    EXPECT_EQ(4095u, s.length());
}

TEST(StringTest, ResizeKeepsExactSizeAndTerminates) {
    String s("abcdef");
    ASSERT_TRUE(s.resize(4));
    EXPECT_STREQ("abc", s.chars());
    EXPECT_EQ(3u, s.length());
    ASSERT_TRUE(s.resize(0));
    EXPECT_TRUE(isNull(s));
    ASSERT_TRUE(s.resize(1));
    EXPECT_TRUE(isZeroLength(s));
    String n;
    ASSERT_TRUE(n.resize(3));
    EXPECT_EQ(2u, n.length());
}

TEST(StringTest, EqualsIsExactAndCaseSensitive) {
    String s("Default.ntf");
    EXPECT_TRUE(s == "Default.ntf");
    EXPECT_FALSE(s == "default.ntf");
    EXPECT_FALSE(s == "Default.ntf ");
    EXPECT_FALSE(s == "Default");
    EXPECT_TRUE(s != "x");
}

}  // namespace
