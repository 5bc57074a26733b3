#include "base/text.h"

#include <gtest/gtest.h>

namespace {

constexpr auto npos = std::string_view::npos;

// "\xD6\xD0" is 中; "\x95\x5C" is a two-byte character whose second byte is a
// backslash; "\xB0\x41" one whose second byte is 'A'.
struct FindCase {
    const char* name;
    std::string haystack;
    std::string needle;
    text::Case rule;
    std::size_t expected;
};

void PrintTo(const FindCase& c, std::ostream* out) { *out << c.name; }

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FindsOnlyOnCharacterBoundaries)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(text::Find(c.haystack, c.needle, 0, c.rule), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Text, FindTest,
    testing::Values(
        FindCase{"plain", "D:\\Apps\\tool.exe", ".exe", text::Case::Exact, 12},
        FindCase{"case_counts", "TOOL.EXE", ".exe", text::Case::Exact, npos},
        FindCase{"case_folded", "Tool.LnK", ".lnk", text::Case::IgnoreAscii, 4},
        FindCase{"trail_backslash_not_matched", "\x95\x5C" "a", "\\", text::Case::Exact, npos},
        FindCase{"backslash_after_character", "\x95\x5C\\a", "\\", text::Case::Exact, 2},
        FindCase{"trail_letter_not_folded", "\xB0\x41", "a", text::Case::IgnoreAscii, npos},
        FindCase{"whole_character", "a\xD6\xD0" "b", "\xD6\xD0", text::Case::Exact, 1},
        FindCase{"lead_byte_at_end", "ab\xD6", "\xD6", text::Case::Exact, 2},
        FindCase{"needle_cannot_take_half_a_character", "\xD6\xD0", "\xD6", text::Case::Exact, npos},
        FindCase{"empty_needle", "abc", "", text::Case::Exact, npos},
        FindCase{"empty_haystack", "", "a", text::Case::Exact, npos},
        FindCase{"needle_longer", "ab", "abc", text::Case::Exact, npos}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Text, FindFromSkipsEarlierMatchesButKeepsBoundaries)
{
    EXPECT_EQ(text::Find("a.b.c", ".", 2), 3u);
    // Position 1 is the second byte of a character: a search from there must
    // not start inside it.
    EXPECT_EQ(text::Find("\x95\x5C\\", "\\", 1), 2u);
}

TEST(Text, ReplaceAllGoesLeftToRightWithoutOverlap)
{
    EXPECT_EQ(text::ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(text::ReplaceAll("a.exe.log\\b.exe.log", ".exe.log", "_1.log"), "a_1.log\\b_1.log");
    EXPECT_EQ(text::ReplaceAll("x\x95\x5Cy\\", "\\", "/"), "x\x95\x5Cy/");
    EXPECT_EQ(text::ReplaceAll("X.LNK", ".lnk", "", text::Case::IgnoreAscii), "X");
    EXPECT_EQ(text::ReplaceAll("abc", "", "z"), "abc");
    // A lead byte at the very end is copied, never read past.
    EXPECT_EQ(text::ReplaceAll("ab\xD6", "b", "c"), "ac\xD6");
}

struct SplitCase {
    const char* name;
    std::string input;
    std::vector<std::string> parts;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsAtEverySeparatorOutsideCharacters)
{
    EXPECT_EQ(text::SplitParts(GetParam().input, '\\'), GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(
    Text, SplitTest,
    testing::Values(
        SplitCase{"path", "D:\\Apps\\tool.exe", {"D:", "Apps", "tool.exe"}},
        SplitCase{"trailing_separator", "D:\\Apps\\", {"D:", "Apps"}},
        SplitCase{"leading_and_double", "\\\\srv\\x", {"", "", "srv", "x"}},
        SplitCase{"empty", "", {}},
        SplitCase{"separator_alone", "\\", {""}},
        SplitCase{"trail_byte_kept", "a\x95\x5C\\b", {"a\x95\x5C", "b"}},
        SplitCase{"lead_at_end", "a\\\xD6", {"a", "\xD6"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Text, FindLastSkipsTrailBytes)
{
    EXPECT_EQ(text::FindLast("D:\\Tools\\Restore.exe", '\\'), 8u);
    EXPECT_EQ(text::FindLast("D:\\\x95\x5C", '\\'), 2u);
    EXPECT_EQ(text::FindLast("none", '\\'), npos);
}

// A separator with a lead byte's value is met only as a character of its
// own, at the end of a text; inside it starts a two-byte character.
TEST(Text, LeadByteSeparatorNeverCutsACharacter)
{
    EXPECT_EQ(text::SplitParts("a\xFF\xFD\x5C", '\xFF'), (std::vector<std::string>{"a\xFF\xFD\x5C"}));
    EXPECT_EQ(text::SplitParts("a\xFF", '\xFF'), (std::vector<std::string>{"a"}));
    EXPECT_EQ(text::FindLast("\xFF\xFD", '\xFF'), npos);
    EXPECT_TRUE(text::EndsWithCharacter("ab\xFF", '\xFF'));
}

TEST(Text, EndsWithCharacterNotWithATrailByte)
{
    EXPECT_TRUE(text::EndsWithCharacter("D:\\Tools\\", '\\'));
    EXPECT_TRUE(text::EndsWithCharacter("\x95\x5C\\", '\\'));
    EXPECT_FALSE(text::EndsWithCharacter("D:\\\x95\x5C", '\\'));
    EXPECT_FALSE(text::EndsWithCharacter("", '\\'));
}

}  // namespace
