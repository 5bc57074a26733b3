#include "shell/special_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "app/startup.h"

namespace {

ByteBuffer Utf16(const std::wstring& s, bool terminated)
{
    ByteBuffer bytes(reinterpret_cast<const unsigned char*>(s.data()),
                     reinterpret_cast<const unsigned char*>(s.data() + s.size()));
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

class SpecialFolder : public testing::Test {
protected:
    void SetUp() override { InitTextCodePage(); }
};

TEST_F(SpecialFolder, DesktopEndsInExactlyOneBackslash)
{
    const std::string desktop = GetDesktopDirectory();
    ASSERT_GE(desktop.size(), 4u);
    EXPECT_EQ(desktop.back(), '\\');
    EXPECT_NE(desktop[desktop.size() - 2], '\\');
    EXPECT_NE(desktop.find("Desktop"), std::string::npos) << desktop;
}

TEST_F(SpecialFolder, CodesOutsideTheTableMeanTheDesktop)
{
    const std::string desktop = GetDesktopDirectory(3);
    for (int code : {0, -1, 14}) EXPECT_EQ(GetDesktopDirectory(code), desktop) << code;
    EXPECT_EQ(GetDesktopDirectory(), desktop);
    // A CSIDL decides over the type code.
    EXPECT_EQ(GetDesktopDirectory(1, CSIDL_DESKTOPDIRECTORY), desktop);
    EXPECT_NE(GetDesktopDirectory(3, CSIDL_WINDOWS), desktop);
}

TEST_F(SpecialFolder, WidePathIsUnitsAndOneZeroUnit)
{
    const ByteBuffer windows = GetSpecialFolder(9);
    ASSERT_GE(windows.size(), 6u);
    EXPECT_EQ(windows.size() % 2, 0u);
    EXPECT_EQ(windows[windows.size() - 1], 0);
    EXPECT_EQ(windows[windows.size() - 2], 0);
    // The last unit before the terminator is the backslash: 0x5C 0x00.
    EXPECT_EQ(windows[windows.size() - 4], '\\');
    EXPECT_EQ(windows[windows.size() - 3], 0);
    EXPECT_EQ(WideBytesToText(windows), "C:\\windows\\");
}

TEST_F(SpecialFolder, TempPathAsWindowsReportsIt)
{
    wchar_t expected[MAX_PATH + 1] = {};
    DWORD n = ::GetTempPathW(MAX_PATH + 1, expected);
    ASSERT_GT(n, 0u);
    const ByteBuffer temp = GetSpecialFolder(11);
    ASSERT_EQ(temp.size(), 2 * n + 2);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(temp.data()), n), expected);
}

TEST(WideBytesToText, EmptyOrLeadingZeroUnitIsEmpty)
{
    EXPECT_EQ(WideBytesToText({}), "");
    EXPECT_EQ(WideBytesToText({0, 0, 'a', 0}), "");
}

TEST(WideBytesToText, ConvertsUpToTheFirstZeroUnitOrAll)
{
    EXPECT_EQ(WideBytesToText(Utf16(L"abc", false)), "abc");
    EXPECT_EQ(WideBytesToText(Utf16(std::wstring(L"ab\0cd", 5), true)), "ab");
    // An odd byte count: the last byte is the low half of one more unit.
    EXPECT_EQ(WideBytesToText({'a', 0, 'b'}), "ab");
}

TEST(WideBytesToText, CodePageDecides)
{
    const ByteBuffer zhong = Utf16(L"\x4E2D", true);
    EXPECT_EQ(WideBytesToText(zhong, 936u), "\xD6\xD0");
    EXPECT_EQ(WideBytesToText(zhong, 65001u), "\xE4\xB8\xAD");
    // With no code page the system ANSI one (936 in the test prefix) is used.
    EXPECT_EQ(WideBytesToText(zhong), WideBytesToText(zhong, ::GetACP()));
    // A character code page 936 lacks becomes its default character.
    EXPECT_EQ(WideBytesToText(Utf16(L"a\x0E01" L"b", true), 936u), "a?b");
    // A code page the system does not have converts nothing.
    EXPECT_EQ(WideBytesToText(zhong, 12345u), "");
}

}  // namespace
