#include "base/program_path.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramPath, SplitsAtTheLastBackslash)
{
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"D:\\Tools\\Restore.exe", "D:\\Tools", "Restore.exe"},
        {"D:\\Restore.exe", "D:", "Restore.exe"},
        {"Restore.exe", "", "Restore.exe"},
        // The second byte of this character is a backslash: not a separator.
        {"D:\\\xB9\x5C.exe", "D:", "\xB9\x5C.exe"},
    };
    for (const auto& [full, folder, name] : cases) {
        ProgramPath split = SplitProgramPath(full);
        EXPECT_EQ(split.runDirectory, folder) << full;
        EXPECT_EQ(split.executableName, name) << full;
    }
}

}  // namespace
