#include "diag/log_format.h"

#include <gtest/gtest.h>

namespace {

const LocalTime kMorning{2024, 1, 22, 9, 5, 7};

TEST(LogFormat, TimeStampPadsEveryFieldAndCutsTheYear)
{
    EXPECT_EQ(ComposeTimeStamp(kMorning), "24-01-22 09:05:07");
    EXPECT_EQ(ComposeTimeStamp({2009, 12, 31, 23, 59, 58}), "09-12-31 23:59:58");
}

TEST(LogFormat, WorkedExampleLines)
{
    const std::string message = PrefixedMessage("hello", std::nullopt, std::nullopt);
    EXPECT_EQ(ShortLine("24-01-22 09:05:07", 4242, message), "24-01-22 09:05:07 [PID] 4242 hello");
    EXPECT_EQ(ExtendedLine("24-01-22 09:05:07", "D:\\Apps\\Restore.exe", "1.0.0.1", "0F3A9C01B7",
                           4242, message),
              "24-01-22 09:05:07 [F] D:\\Apps\\Restore.exe [V] 1.0.0.1 [M] 0F3A9C01B7 [P] 4242 : "
              "hello");
}

TEST(LogFormat, EmptyPartsKeepTheirSeparators)
{
    EXPECT_EQ(ShortLine("", 7, ""), " [PID] 7 ");
    EXPECT_EQ(ExtendedLine("", "D:\\a.exe", "", "D41D8CD98F", 7, ""),
              " [F] D:\\a.exe [V]  [M] D41D8CD98F [P] 7 : ");
}

struct PrefixCase {
    std::optional<std::string> tag, subTag;
    std::string expected;
};

TEST(LogFormat, PrefixTable)
{
    const PrefixCase cases[] = {
        {std::nullopt, std::nullopt, "m"},
        {"A", std::nullopt, "[A] m"},
        {"A", "B", "[A / B] m"},
        {"A", "", "[A / ] m"},
        {"", "B", "[ / B] m"},
        {std::nullopt, "B", "[ / B] m"},
        {"", std::nullopt, "m"},
        {"", "", "m"},
        {std::nullopt, "", "m"},
    };
    for (const PrefixCase& c : cases) {
        EXPECT_EQ(PrefixedMessage("m", c.tag, c.subTag), c.expected)
            << "tag=" << c.tag.value_or("<absent>") << " subTag=" << c.subTag.value_or("<absent>");
    }
}

TEST(LogFormat, DailyNames)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Restore.exe", "Restore_20240122.log"},
        {"a.exe.exe", "a_20240122.log"},
        {"SETUP.EXE", "SETUP_20240122.log"},
        {"tool.bin", "tool_20240122.log"},
        {"tool", "tool_20240122.log"},
        {"v1.2.exec", "v1.2_20240122.log"},
        {"\xD6\xD0.exe", "\xD6\xD0_20240122.log"},
    };
    for (const auto& [exe, name] : cases) EXPECT_EQ(DailyLogFileName(exe, kMorning), name) << exe;
}

TEST(LogFormat, DateGoesIntoTheFileNameOnly)
{
    EXPECT_EQ(DailyLogPath("D:\\Apps", "Restore.exe", kMorning), "D:\\Apps\\Restore_20240122.log");
    EXPECT_EQ(DailyLogPath("D:\\Apps\\logs", "Restore.exe", kMorning),
              "D:\\Apps\\logs\\Restore_20240122.log");
    EXPECT_EQ(DailyLogPath("D:\\old.exe.log", "Restore.exe", kMorning),
              "D:\\old.exe.log\\Restore_20240122.log");
    EXPECT_EQ(DailyLogPath("D:", "Restore.exe", kMorning), "D:\\Restore_20240122.log");
}

TEST(LogFormat, MidnightChangesTheFile)
{
    EXPECT_NE(DailyLogFileName("Restore.exe", {2024, 1, 22, 23, 59, 59}),
              DailyLogFileName("Restore.exe", {2024, 1, 23, 0, 0, 0}));
}

TEST(LogFormat, SizeCapDeletesOnlyAboveTheCap)
{
    constexpr std::int64_t kMiB = 1048576;
    EXPECT_FALSE(ExceedsSizeCap(kMiB, 1));
    EXPECT_TRUE(ExceedsSizeCap(kMiB + 1, 1));
    EXPECT_FALSE(ExceedsSizeCap(-1, 1));
    EXPECT_FALSE(ExceedsSizeCap(100 * kMiB, 0));
    EXPECT_FALSE(ExceedsSizeCap(100 * kMiB, -3));
    // Sizes past 4 GiB are read whole, not cut to their low 32 bits.
    EXPECT_TRUE(ExceedsSizeCap((std::int64_t{1} << 32) + 10, 2048));
    EXPECT_FALSE(ExceedsSizeCap(2048 * kMiB, 2048));
}

}  // namespace
