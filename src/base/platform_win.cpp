#include "base/platform_win.h"

#include <windows.h>
#include <ole2.h>

#include "base/bound_routine.h"
#include "base/exit_routines.h"
#include "base/fault.h"
#include "base/program_path.h"
#include "base/win_handles.h"

namespace {

bool g_oleStarted = false;

BOOL CALLBACK DestroyOneWindow(HWND window, LPARAM)
{
    ::DestroyWindow(window);
    return TRUE;
}

}  // namespace

bool StartOle()
{
    g_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
    return g_oleStarted;
}

void RecordProgramPath()
{
    char buffer[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    SetCurrentProgramPath(SplitProgramPath(std::string(buffer, length)));
}

bool PathExists(const std::string& path)
{
    if (path.empty()) return false;
    WIN32_FIND_DATAA found;
    FindHandle search(::FindFirstFileA(path.c_str(), &found));
    return search.IsValid();
}

void ShowMechanismFaultBox(const std::string& text)
{
    ::MessageBoxA(nullptr, text.c_str(), "运行时错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void ReleasePlatform()
{
    ::EnumThreadWindows(::GetCurrentThreadId(), DestroyOneWindow, 0);
    UnloadBoundLibraries();
    if (g_oleStarted) {
        g_oleStarted = false;
        ::OleUninitialize();
    }
}

void TerminateProgram(int exitCode) { ::ExitProcess(static_cast<UINT>(exitCode)); }
