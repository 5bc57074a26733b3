#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/bound_routine.h"
#include "base/platform_win.h"
#include "base/shell_routines.h"
#include "base/win_handles.h"

namespace {

std::string TempPath(const char* name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    return std::string(temp) + name;
}

TEST(BoundRoutines, BindAtFirstCallAndWork)
{
    EXPECT_STREQ(bound::PathFindFileNameA("C:\\a\\b.txt"), "b.txt");
    EXPECT_STREQ(bound::PathFindExtensionA("Tool 1.5"), ".5");
    wchar_t folder[MAX_PATH + 2] = {};
    EXPECT_TRUE(bound::SHGetSpecialFolderPathW(nullptr, folder, 0x24 /* windows */, FALSE));
    // Libraries go at the program's end only; binding again after an unload
    // loads them anew.
    UnloadBoundLibraries();
    EXPECT_NE(BindRoutine("shlwapi.dll", "PathFindExtensionA"), nullptr);
}

TEST(Handles, OwnerClosesSoAnExclusiveFileOpensAgain)
{
    const std::string path = TempPath("handles test.txt");
    {
        UniqueHandle first(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(first.IsValid());
        UniqueHandle second(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_FALSE(second.IsValid());
        UniqueHandle moved = std::move(first);
        EXPECT_FALSE(first.IsValid());
        EXPECT_TRUE(moved.IsValid());
    }
    UniqueHandle again(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(again.IsValid());
    again.Reset();
    EXPECT_TRUE(::DeleteFileA(path.c_str()));
}

TEST(PathExists, FilesFoldersAndWildcardsButNoTrailingBackslash)
{
    const std::string path = TempPath("exists test.txt");
    ::CloseHandle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(PathExists(path));
    EXPECT_TRUE(PathExists(TempPath("exists t*.txt")));
    EXPECT_TRUE(PathExists(TempPath("exists tes?.txt")));
    EXPECT_TRUE(PathExists("C:\\windows"));
    EXPECT_FALSE(PathExists("C:\\windows\\"));
    EXPECT_FALSE(PathExists("C:\\"));
    EXPECT_FALSE(PathExists(""));
    ::DeleteFileA(path.c_str());
    EXPECT_FALSE(PathExists(path));
}

}  // namespace
