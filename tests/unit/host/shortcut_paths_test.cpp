// How configured paths become probe paths, icon paths, working directories
// and section lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/drive_paths.h"
#include "app/profile_text.h"
#include "shell/path_parts.h"

namespace {

// "\x95\x5C" is a two-byte character whose second byte is a backslash.
TEST(PathOnDrive, ReplacesTheFirstTwoBytesWhateverTheyAre)
{
    EXPECT_EQ(PathOnDrive("C:", "E:\\Apps\\Tool\\tool.exe"), "C:\\Apps\\Tool\\tool.exe");
    EXPECT_EQ(PathOnDrive("C:", "\\\\server\\share\\tool.exe"), "C:server\\share\\tool.exe");
    EXPECT_EQ(PathOnDrive("D:", "\x95\x5C" "abc"), "D:abc");
    EXPECT_EQ(PathOnDrive("D:", "E"), "D:");
    EXPECT_EQ(PathOnDrive("D:", ""), "D:");
}

TEST(NamesNothingOnDrive, OnlyTextsBeyondTheirFirstTwoBytesNameAFile)
{
    EXPECT_TRUE(NamesNothingOnDrive(""));
    EXPECT_TRUE(NamesNothingOnDrive("E"));
    EXPECT_TRUE(NamesNothingOnDrive("E:"));
    EXPECT_FALSE(NamesNothingOnDrive("E:\\"));
    EXPECT_FALSE(NamesNothingOnDrive("tool.exe"));
}

struct IconCase {
    const char* name;
    std::string icon;
    char letter;
    std::string expected;
};

void PrintTo(const IconCase& c, std::ostream* out) { *out << c.name; }

class IconOnDriveTest : public testing::TestWithParam<IconCase> {};

TEST_P(IconOnDriveTest, MovesOnlyALeadingDriveLetter)
{
    const IconCase& c = GetParam();
    EXPECT_EQ(IconOnDrive(c.icon, c.letter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Icons, IconOnDriveTest,
    testing::Values(
        IconCase{"letters_inside_stay", "D:\\Data\\DD\\app.ico", 'C', "C:\\Data\\DD\\app.ico"},
        IconCase{"lower_case_drive", "d:\\dd\\app.ico", 'E', "E:\\dd\\app.ico"},
        IconCase{"same_drive", "C:\\app.ico", 'C', "C:\\app.ico"},
        IconCase{"relative", "icons\\app.ico", 'C', "icons\\app.ico"},
        IconCase{"unc", "\\\\server\\app.ico", 'C', "\\\\server\\app.ico"},
        IconCase{"digit_colon", "1:\\app.ico", 'C', "1:\\app.ico"},
        IconCase{"two_byte_first", "\xD6\xD0:\\app.ico", 'C', "\xD6\xD0:\\app.ico"},
        IconCase{"letter_alone", "D", 'C', "D"},
        IconCase{"empty", "", 'C', ""}));

struct ParentCase {
    const char* name;
    std::string path;
    std::string expected;
};

void PrintTo(const ParentCase& c, std::ostream* out) { *out << c.name; }

class ParentDirectoryTest : public testing::TestWithParam<ParentCase> {};

TEST_P(ParentDirectoryTest, KeepsEveryPartButTheLast)
{
    const ParentCase& c = GetParam();
    EXPECT_EQ(ParentDirectoryOf(c.path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ParentDirectoryTest,
    testing::Values(
        ParentCase{"file_in_folders", "D:\\Apps\\Tool\\tool.exe", "D:\\Apps\\Tool\\"},
        ParentCase{"file_in_root", "D:\\tool.exe", "D:\\"},
        ParentCase{"trailing_backslash", "D:\\Apps\\", "D:\\"},
        ParentCase{"unc", "\\\\server\\share\\tool.exe", "\\\\server\\share\\"},
        ParentCase{"doubled_backslash", "D:\\\\tool.exe", "D:\\\\"},
        ParentCase{"no_backslash", "D:tool.exe", ""},
        ParentCase{"drive_root_only", "D:\\", ""},
        ParentCase{"trail_byte_is_no_separator", "D:\x95\x5C" "tool.exe", ""},
        ParentCase{"two_byte_folder", "D:\\\x95\x5C\\tool.exe", "D:\\\x95\x5C\\"},
        ParentCase{"empty", "", ""}));

TEST(SkipLeadingBlanks, SkipsBlanksAndControlBytesOnly)
{
    EXPECT_EQ(SkipLeadingBlanks(" \t\x01\x1F\x20name "), "name ");
    EXPECT_EQ(SkipLeadingBlanks("\x7F" "name"), "\x7F" "name");
    EXPECT_EQ(SkipLeadingBlanks("\xA1\xA1name"), "\xA1\xA1name");  // a full-width blank
    EXPECT_EQ(SkipLeadingBlanks(" \r\n"), "");
    EXPECT_EQ(SkipLeadingBlanks(""), "");
}

TEST(SplitNulList, StopsAtTheFirstEmptyName)
{
    const char packed[] = "one\0\xD6\xD0\0three\0\0later\0";
    EXPECT_EQ(SplitNulList(packed, sizeof packed - 1),
              (std::vector<std::string>{"one", "\xD6\xD0", "three"}));
    EXPECT_TRUE(SplitNulList(packed, 0).empty());
    EXPECT_TRUE(SplitNulList("\0x\0", 3).empty());
}

TEST(SplitNulList, NeverReadsPastTheBuffer)
{
    // A list cut by its buffer: the last name has no NUL of its own.
    const char cut[] = {'a', '\0', 'b', 'c'};
    EXPECT_EQ(SplitNulList(cut, sizeof cut), (std::vector<std::string>{"a", "bc"}));
}

TEST(DropCutName, OnlyANameRunningIntoTheBuffersEndGoes)
{
    // A 12-byte buffer the routine filled: "aa", "bbb", then "cccc" cut to
    // "ccc", its NUL and the list's closing NUL in the last byte.
    EXPECT_EQ(DropCutName({"aa", "bbb", "ccc"}, 12), (std::vector<std::string>{"aa", "bbb"}));
    // Where a multi-byte conversion ran out of room the cut name reaches the
    // last byte, which holds the only NUL after it.
    EXPECT_EQ(DropCutName({"aa", "bbb", "cccc"}, 12), (std::vector<std::string>{"aa", "bbb"}));
    // Room left for no part of the next name: the list ends in an empty one
    // and every name in it is whole.
    EXPECT_EQ(DropCutName({"aa", "bbb", "cc"}, 12), (std::vector<std::string>{"aa", "bbb", "cc"}));
    EXPECT_TRUE(DropCutName({}, 12).empty());
}

}  // namespace
