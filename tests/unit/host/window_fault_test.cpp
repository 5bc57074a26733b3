#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/fault.h"

namespace {

// Narrow literals are code page 936 bytes, as the product's are.
TEST(WindowFault, TextNamesTheWindowOrSaysNoneIsKnown)
{
    struct Case {
        int windowId;
        const char* windowName;
        const char* text;
    };
    const Case cases[] = {
        {1, "窗口", "载入启动窗口失败\r\n1, 0\r\n\"窗口\"\r\n"},
        {1, "", "载入启动窗口失败\r\n1, 0\r\n未找到所指定的窗口\r\n"},
        // The identifier stands where a routine number would.
        {27, "a b", "载入启动窗口失败\r\n27, 0\r\n\"a b\"\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposeWindowFaultText(c.windowId, c.windowName), c.text)
            << c.windowId << " " << c.windowName;
    }
}

int PrintingHandler(int code, const char* faultText)
{
    std::fprintf(stderr, "handler %d [%s]\n", code, faultText);
    return 1;
}

TEST(WindowFaultDeathTest, RaisedAsCodeZeroWithThatText)
{
    auto raise = [] {
        SetRuntimeErrorHandler(PrintingHandler);
        RaiseWindowFault(1, "窗口");
    };
    EXPECT_EXIT(raise(), testing::ExitedWithCode(255),
                "^handler 0 \\[" + ComposeWindowFaultText(1, "窗口") + "\\]\n$");
}

}  // namespace
