#include "app/startup.h"

#include <windows.h>

#include "app/globals.h"
#include "app/job.h"
#include "base/exit_routines.h"
#include "base/fault.h"
#include "base/platform_win.h"
#include "base/process_state.h"
#include "base/program_path.h"
#include "diag/error_reporter.h"
#include "diag/log_writer.h"

namespace {

constexpr char kWindowClass[] = "窗口";
constexpr int kWindowId = 1;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) RunShortcutJob();
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// Never shown: the window exists only for its created event, which runs the
// job, and nothing should flash on the user's screen.
HWND CreateStartupWindow()
{
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (::RegisterClassA(&windowClass) == 0) return nullptr;
    return ::CreateWindowExA(0, kWindowClass, "creae", WS_OVERLAPPEDWINDOW, 50, 50, 380, 250,
                             nullptr, nullptr, instance, nullptr);
}

// For a program in a drive's root the run directory is the bare drive, which
// Windows would read as that drive's current folder, not its root.
std::string FolderToEnter(const std::string& runDirectory)
{
    if (!runDirectory.empty() && runDirectory.back() == ':') return runDirectory + "\\";
    return runDirectory;
}

}  // namespace

void StartPlatform()
{
    RecordProgramPath();
    ::SetCurrentDirectoryA(FolderToEnter(CurrentProgramPath().runDirectory).c_str());
    StartOle();
}

void InitTextCodePage() { TextCodePage = 936; }

void InitDiagnostics()
{
    LogSettings.LogEnabled = 1;
    LogSettings.LogInLogsFolder = 1;
    LogSettings.LogHeaderStyle = 1;
    InstallErrorHandler();
}

int ProgramMain()
{
    StartPlatform();
    SectionNames = TextArray();
    RegisterExitRoutine(ReleaseGlobals);
    InitTextCodePage();
    InitDiagnostics();

    HWND window = CreateStartupWindow();
    if (window == nullptr) RaiseWindowFault(kWindowId, kWindowClass);

    MSG message;
    while (::IsWindow(window) && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}
