#include "base/automation.h"

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <string>

#include "base/platform_win.h"

namespace {

class Automation : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        char temp[MAX_PATH];
        ::GetTempPathA(sizeof temp, temp);
        link_ = std::string(temp) + "automation test.lnk";
        ::DeleteFileA(link_.c_str());
    }
    void TearDown() override
    {
        ::DeleteFileA(link_.c_str());
        ::OleUninitialize();
    }

    std::string link_;
};

TEST_F(Automation, ShellObjectFromTypeLibraryWritesAShortcut)
{
    AutomationObject shell;
    ASSERT_TRUE(shell.CreateFromClass("WshShell", "wshom.ocx"));
    AutomationObject shortcut = shell.CallMethod("CreateShortcut", {link_});
    shell.Release();
    EXPECT_TRUE(shell.IsEmpty());
    ASSERT_FALSE(shortcut.IsEmpty());

    EXPECT_TRUE(shortcut.PutProperty("TargetPath", std::string("C:\\windows\\notepad.exe")));
    EXPECT_TRUE(shortcut.PutProperty("WorkingDirectory", std::string("C:\\windows\\")));
    EXPECT_TRUE(shortcut.PutProperty("WindowStyle", std::int32_t{3}));
    // A text where the member declares a number is converted first.
    EXPECT_TRUE(shortcut.PutProperty("WindowStyle", std::string("7")));
    // An empty text reaches the object as an empty string, not a null one.
    EXPECT_TRUE(shortcut.PutProperty("Description", std::string()));
    EXPECT_TRUE(shortcut.PutProperty("Arguments", std::string("-x \"a b\"")));
    EXPECT_FALSE(shortcut.PutProperty("NoSuchProperty", std::string("x")));

    EXPECT_TRUE(shortcut.CallMethod("Save").IsEmpty());  // returns no object
    EXPECT_TRUE(PathExists(link_));
}

TEST_F(Automation, ShellObjectByProgIdWhenNoLibraryIsGiven)
{
    AutomationObject shell;
    EXPECT_TRUE(shell.CreateFromClass("WScript.Shell", ""));
    EXPECT_FALSE(shell.IsEmpty());
}

TEST_F(Automation, MissingLibraryFallsBackToTheClassName)
{
    // No such type library: the class name is then tried as a ProgID.
    AutomationObject fileSystem;
    EXPECT_TRUE(fileSystem.CreateFromClass("Scripting.FileSystemObject", "nosuch.tlb"));
}

TEST_F(Automation, FailuresGiveEmptyResults)
{
    AutomationObject none;
    EXPECT_FALSE(none.CreateFromClass("No.Such.Class", ""));
    EXPECT_FALSE(none.CreateFromClass("{00000000-0000-0000-0000-000000000001}", ""));
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_TRUE(none.CallMethod("CreateShortcut", {link_}).IsEmpty());
    EXPECT_EQ(none.CallMethodForText("GetFileVersion", {std::string("x")}), "");
    EXPECT_FALSE(none.PutProperty("TargetPath", std::string("x")));

    AutomationObject fileSystem;
    ASSERT_TRUE(fileSystem.CreateFromProgId("Scripting.FileSystemObject"));
    EXPECT_EQ(fileSystem.CallMethodForText("NoSuchMethod", {std::string("x")}), "");
    EXPECT_TRUE(fileSystem.CallMethod("GetFileVersion", {std::string("C:\\windows\\system32\\kernel32.dll")})
                    .IsEmpty());
}

TEST_F(Automation, MethodResultAsText)
{
    AutomationObject fileSystem;
    ASSERT_TRUE(fileSystem.CreateFromProgId("Scripting.FileSystemObject"));
    const std::string version =
        fileSystem.CallMethodForText("GetFileVersion", {std::string("C:\\windows\\system32\\kernel32.dll")});
    EXPECT_FALSE(version.empty());
    EXPECT_NE(version.find('.'), std::string::npos) << version;
}

TEST(AutomationWithoutCom, CreationFails)
{
    AutomationObject fileSystem;
    EXPECT_FALSE(fileSystem.CreateFromProgId("Scripting.FileSystemObject"));
}

}  // namespace
