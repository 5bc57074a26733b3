#include "base/fault.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/exit_routines.h"
#include "base/text_array.h"

namespace {

// Death tests run each statement in a child process; what the handler, the
// exit routines and the mechanism's box write to stderr is what they match.
void Say(const char* what) { std::fprintf(stderr, "%s\n", what); }

int ReportingHandler(int code, const char* faultText)
{
    std::fprintf(stderr, "handler %d [%s]\n", code, faultText != nullptr ? faultText : "(null)");
    return 1;
}

int DecliningHandler(int, const char*)
{
    Say("declined");
    return 0;
}

int FaultingHandler(int, const char*)
{
    Say("handler entered");
    RaisePlatformFault("second");
}

void ExitRoutineA() { Say("exit A"); }
void ExitRoutineB() { Say("exit B"); }

TEST(Fault, FaultTextShape)
{
    EXPECT_EQ(ComposeFaultText("m", 17, 291), "m\r\n17, 291\r\n");
    EXPECT_EQ(ComposeFaultText("", -1, 0), "\r\n-1, 0\r\n");
    EXPECT_EQ(FaultMessage(kFaultIndexBelowOne), "数组成员引用下标必须大于等于1");
    EXPECT_EQ(FaultMessage(kFaultIndexAboveCount), "数组成员引用下标超出定义范围");
}

TEST(FaultDeathTest, IndexBelowOneNamesRoutineAndLine)
{
    TextArray names({"a"});
    SetRuntimeErrorHandler(ReportingHandler);
    const int line = __LINE__ + 1;
    EXPECT_EXIT(names.At(0, 42), testing::ExitedWithCode(255),
                "handler 4 \\[.*\r\n42, " + std::to_string(line) + "\r\n\\]");
}

TEST(FaultDeathTest, IndexAboveCountIsCodeOne)
{
    TextArray empty;
    SetRuntimeErrorHandler(ReportingHandler);
    EXPECT_EXIT(empty.At(1, 42), testing::ExitedWithCode(255), "handler 1 ");
}

TEST(Fault, IndexInsideTheArrayIsServed)
{
    TextArray names({"a", "b"});
    EXPECT_EQ(names.At(1, 42), "a");
    EXPECT_EQ(names.At(2, 42), "b");
}

TEST(FaultDeathTest, ReportedFaultShowsNoBoxAndRunsNoExitRoutine)
{
    auto raise = [] {
        RegisterExitRoutine(ExitRoutineA);
        SetRuntimeErrorHandler(ReportingHandler);
        RaisePlatformFault("own text");
    };
    // The handler's line and nothing after it: no exit routine, no box.
    EXPECT_EXIT(raise(), testing::ExitedWithCode(255), "^handler 0 \\[own text\r\n0, 0\r\n\\]\n$");
}

TEST(FaultDeathTest, UnreportedFaultShowsTheMechanismsBox)
{
    auto raise = [] {
        SetRuntimeErrorHandler(DecliningHandler);
        RaisePlatformFault("own text");
    };
    EXPECT_EXIT(raise(), testing::ExitedWithCode(255), "declined\n.*0\r\nown text\r\n0, 0\r\n");
}

TEST(FaultDeathTest, NoHandlerShowsTheMechanismsBox)
{
    auto raise = [] {
        SetRuntimeErrorHandler(nullptr);
        RaisePlatformFault("early");
    };
    EXPECT_EXIT(raise(), testing::ExitedWithCode(255), "early\r\n0, 0\r\n");
}

TEST(FaultDeathTest, FaultInsideTheHandlerIsNotHandedBack)
{
    auto raise = [] {
        SetRuntimeErrorHandler(FaultingHandler);
        RaisePlatformFault("first");
    };
    // Entered once; the box reports the second fault, not the first.
    EXPECT_EXIT(raise(), testing::ExitedWithCode(255), "^handler entered\n[^\n]*\r\nsecond\r\n0, 0\r\n");
}

TEST(FaultDeathTest, FailedAllocationIsCodeZeroWithTheSize)
{
    auto allocate = [] {
        SetRuntimeErrorHandler(ReportingHandler);
        // Big enough that no allocator grants it.
        volatile std::size_t huge = static_cast<std::size_t>(-1) / 2;
        char* p = new char[huge];
        std::printf("%p\n", static_cast<void*>(p));
    };
    EXPECT_EXIT(allocate(), testing::ExitedWithCode(255),
                "handler 0 \\[分配 " + std::to_string(static_cast<std::size_t>(-1) / 2) +
                    " 字节内存失败!\r\n0, 0\r\n\\]");
}

TEST(ExitRoutinesDeathTest, EndProgramRunsEachOnceInOrder)
{
    auto end = [] {
        RegisterExitRoutine(ExitRoutineA);
        RegisterExitRoutine(ExitRoutineB);
        RegisterExitRoutine(ExitRoutineA);
        EndProgram(3);
    };
    EXPECT_EXIT(end(), testing::ExitedWithCode(3), "^exit A\nexit B\n$");
}

}  // namespace
