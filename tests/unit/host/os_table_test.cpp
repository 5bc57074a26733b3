#include "diag/os_table.h"

#include <gtest/gtest.h>

namespace {

OsFacts Nt(std::uint32_t major, std::uint32_t minor) { return {true, major, minor, 0, 0, 0}; }

TEST(OsTable, NtVersions)
{
    const std::tuple<std::uint32_t, std::uint32_t, int, std::string> cases[] = {
        {0, 0, 4, "WinNT"}, {3, 51, 4, "WinNT"}, {4, 0, 4, "WinNT"},
        {5, 0, 5, "Win2000"}, {5, 1, 6, "WinXP"}, {5, 2, 7, "Win2003"}, {5, 3, 0, "未知"},
        {6, 0, 8, "Vista"}, {6, 1, 9, "Win7"}, {6, 2, 0, "未知"}, {6, 3, 0, "未知"},
        {10, 0, 0, "未知"},
    };
    for (const auto& [major, minor, code, name] : cases) {
        EXPECT_EQ(OsCodeFor(Nt(major, minor)), code) << major << "." << minor;
        EXPECT_EQ(OsNameFor(OsCodeFor(Nt(major, minor))), name) << major << "." << minor;
    }
}

TEST(OsTable, NineXFamilyTestsTheWordsInOrder)
{
    constexpr std::uint32_t m = 0x00530000;
    EXPECT_EQ(OsCodeFor({false, 0, 0, m, m, m}), 1);
    EXPECT_EQ(OsCodeFor({false, 0, 0, 0, m, m}), 2);
    EXPECT_EQ(OsCodeFor({false, 0, 0, 0, 0, m}), 3);
    EXPECT_EQ(OsCodeFor({false, 6, 1, 0, 0, 0}), 0);
}

TEST(OsTable, CodesOutsideTheTableReadAsUnknown)
{
    EXPECT_EQ(OsNameFor(-1), "未知");
    EXPECT_EQ(OsNameFor(10), "未知");
}

}  // namespace
