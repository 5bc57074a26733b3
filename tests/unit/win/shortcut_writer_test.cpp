#include "shell/shortcut_writer.h"

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/platform_win.h"
#include "base/win_handles.h"
#include "shell/set_aside_link.h"
#include "shell/special_folder.h"

namespace {

// "\x95\x5C" is a two-byte character whose second byte is a backslash.
struct NameCase {
    const char* name;
    std::string path;
    bool keepExtension;
    std::string expected;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class FileNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameTest, LastComponentAsTheShellSplitsIt)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(FileNameWithoutExtension(c.path, c.keepExtension), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameTest,
    testing::Values(
        NameCase{"plain", "C:\\Desk\\Tool", false, "Tool"},
        NameCase{"extension_goes", "C:\\Desk\\Tool.exe", false, "Tool"},
        NameCase{"extension_kept", "C:\\Desk\\Tool.exe", true, "Tool.exe"},
        NameCase{"last_dot_only", "C:\\Desk\\Tool 1.5", false, "Tool 1"},
        NameCase{"blank_after_dot_is_no_extension", "C:\\Desk\\a.b c", false, "a.b c"},
        NameCase{"forward_slash_splits", "C:\\Desk\\sub/Tool", false, "Tool"},
        NameCase{"parent_steps", "C:\\Desk\\..\\..\\Tool", false, "Tool"},
        NameCase{"trailing_backslash", "C:\\Desk\\Tool\\", false, ""},
        NameCase{"trail_byte_is_not_a_backslash", "C:\\Desk\\\x95\x5C", false, "\x95\x5C"},
        NameCase{"lnk_goes_as_an_extension", "C:\\Desk\\Tool.lnk", false, "Tool"}));

TEST(FileExtension, WithItsDotOrEmpty)
{
    EXPECT_EQ(FileExtension("C:\\Apps\\tool.exe"), ".exe");
    EXPECT_EQ(FileExtension("C:\\Apps.d\\tool"), "");
    EXPECT_EQ(FileExtension("C:\\Apps\\Tool 1.5"), ".5");
    EXPECT_EQ(FileExtension(""), "");
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Names in the desktop folder that start with `prefix`.
std::vector<std::string> DesktopEntries(const std::string& prefix)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle search(::FindFirstFileA((GetDesktopDirectory() + prefix + "*").c_str(), &found));
    if (!search) return names;
    do {
        names.push_back(found.cFileName);
    } while (::FindNextFileA(search.Get(), &found));
    return names;
}

class Writer : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        link_ = GetDesktopDirectory() + "writer test.lnk";
        Clean();
    }
    void TearDown() override
    {
        Clean();
        ::OleUninitialize();
    }
    void Clean()
    {
        for (const std::string& name : DesktopEntries("writer test")) {
            const std::string path = GetDesktopDirectory() + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
            ::RemoveDirectoryA(path.c_str());
        }
    }

    std::string link_;
};

TEST_F(Writer, ReplacesAnOldLinkAndLeavesNothingElse)
{
    WriteFile(link_, "old link");
    EXPECT_TRUE(WriteShortcut("C:\\anywhere\\writer test.exe", "C:\\windows\\notepad.exe"));
    const std::string written = ReadFile(link_);
    EXPECT_NE(written, "old link");
    EXPECT_EQ(written.substr(0, 4), std::string("\x4C\0\0\0", 4));  // a shell link header
    EXPECT_EQ(DesktopEntries("writer test"), std::vector<std::string>{"writer test.lnk"});
}

TEST_F(Writer, NameHoldingLnkIsUsedAsGiven)
{
    EXPECT_TRUE(WriteShortcut("writer test.LNK", "C:\\windows\\notepad.exe"));
    EXPECT_TRUE(PathExists(GetDesktopDirectory() + "writer test.LNK"));
}

TEST_F(Writer, TargetWithoutAFolderKeepsTheOldLink)
{
    WriteFile(link_, "old link");
    EXPECT_FALSE(WriteShortcut("C:\\x\\writer test", "C:notepad.exe"));
    EXPECT_EQ(ReadFile(link_), "old link");
}

TEST_F(Writer, OldLinkThatCannotBeMovedIsKept)
{
    WriteFile(link_, "old link");
    // Held open by another program that lets nobody rename it.
    UniqueHandle held(::CreateFileA(link_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    EXPECT_FALSE(WriteShortcut("writer test", "C:\\windows\\notepad.exe"));
    held.Reset();
    EXPECT_EQ(ReadFile(link_), "old link");
    EXPECT_EQ(DesktopEntries("writer test"), std::vector<std::string>{"writer test.lnk"});
}

TEST_F(Writer, ReadOnlyLinkAndFolderAreLeftAlone)
{
    WriteFile(link_, "old link");
    ASSERT_TRUE(::SetFileAttributesA(link_.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteShortcut("writer test", "C:\\windows\\notepad.exe"));
    EXPECT_EQ(ReadFile(link_), "old link");

    const std::string folder = GetDesktopDirectory() + "writer test folder.lnk";
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_FALSE(WriteShortcut("writer test folder", "C:\\windows\\notepad.exe"));
    EXPECT_NE(::GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(Writer, UnsavableLinkIsFailure)
{
    // Longer than a path may be: the shell object cannot save it.
    EXPECT_FALSE(WriteShortcut("writer test " + std::string(260, 'a'), "C:\\windows\\notepad.exe"));
    EXPECT_TRUE(DesktopEntries("writer test").empty());
}

TEST_F(Writer, SetAsideLinkComesBackUnlessDiscarded)
{
    WriteFile(link_, "old link");
    {
        SetAsideLink aside(link_);
        ASSERT_TRUE(aside.Ready());
        EXPECT_FALSE(PathExists(link_));
        WriteFile(link_, "half-written");  // what a failed save may leave
    }
    EXPECT_EQ(ReadFile(link_), "old link");
    EXPECT_EQ(DesktopEntries("writer test"), std::vector<std::string>{"writer test.lnk"});

    {
        SetAsideLink aside(link_);
        WriteFile(link_, "new link");
        aside.Discard();
    }
    EXPECT_EQ(ReadFile(link_), "new link");
    EXPECT_EQ(DesktopEntries("writer test"), std::vector<std::string>{"writer test.lnk"});
}

TEST_F(Writer, NothingToSetAsideIsReady)
{
    SetAsideLink aside(link_);
    EXPECT_TRUE(aside.Ready());
}

}  // namespace
