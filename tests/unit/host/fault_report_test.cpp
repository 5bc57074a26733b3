#include "diag/fault_report.h"

#include <gtest/gtest.h>

#include "base/fault.h"

namespace {

TEST(FaultReport, IndexFaultOnSixtyFourBitWindows7)
{
    const std::string faultText = ComposeFaultText(FaultMessage(kFaultIndexAboveCount), 17, 291);
    EXPECT_EQ(ComposeFaultReport(1, faultText, "D:\\Apps\\Restore.exe", "Win7", 9, true),
              "ErrorCode:  1\r\n"
              "ErrorNote:  数组成员引用下标超出定义范围\r\n"
              "17, 291\r\n"
              "\r\n"
              "Path:  D:\\Apps\\Restore.exe\r\n"
              "OS: Win7 , 9 , X64\r\n"
              "\r\n");
}

TEST(FaultReport, NegativeCodesAndThirtyTwoBit)
{
    const std::string report = ComposeFaultReport(-5, "x\r\n0, 0\r\n", "C:\\a.exe", "未知", 0, false);
    EXPECT_EQ(report.substr(0, 15), "ErrorCode:  -5\r");
    EXPECT_NE(report.find("OS: 未知 , 0 , X86\r\n\r\n"), std::string::npos);
}

TEST(FaultReport, ErrorLogKeepsTheExtensionAndBoxNamesIt)
{
    EXPECT_EQ(ErrorLogPath("D:\\Apps", "Restore.exe"), "D:\\Apps\\Restore.exe.Error.log");
    EXPECT_EQ(ErrorLogPath("D:", "Restore.exe"), "D:\\Restore.exe.Error.log");
    EXPECT_EQ(ComposeFaultBoxText("R\r\n", "D:\\Restore.exe.Error.log"),
              "R\r\n错误日志已经保存在：[ D:\\Restore.exe.Error.log ]请发给开发者排查问题。");
}

}  // namespace
