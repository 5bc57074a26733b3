#include "diag/log_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(LogOptions, AbsentValuesMeanRunDirectoryAndExtendedHeader)
{
    const int enabled = LogSettings.LogEnabled;
    SetLogOptions(1, true);
    EXPECT_EQ(LogSettings.LogInLogsFolder, 1);
    EXPECT_EQ(LogSettings.LogHeaderStyle, 1);
    SetLogOptions();
    EXPECT_EQ(LogSettings.LogInLogsFolder, 0);
    EXPECT_EQ(LogSettings.LogHeaderStyle, 2);
    // Only 1 selects the subfolder; options never switch logging on.
    SetLogOptions(2, false);
    EXPECT_EQ(LogSettings.LogInLogsFolder, 0);
    EXPECT_EQ(LogSettings.LogHeaderStyle, 2);
    EXPECT_EQ(LogSettings.LogEnabled, enabled);
    EnableLogging();
    EXPECT_EQ(LogSettings.LogEnabled, 1);
}

}  // namespace
