// What one step of the job costs, timed in a loop with the program's own
// routines (linked from the same sources as Restore.exe) and with the bare
// system calls beside them. Built for the benchmark only; Restore.exe itself
// carries no timing.
//
//   costs <links>    prints "<step>\t<microseconds per call>" lines
//
// Links are written to the desktop as cost-<i>.lnk for a target in this
// program's folder; the caller empties the desktop afterwards.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/automation.h"
#include "base/platform_win.h"
#include "base/program_path.h"
#include "diag/log_writer.h"
#include "shell/shortcut_writer.h"

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

template <class F>
void Time(const char* step, int count, F&& f)
{
    const double start = Now();
    for (int i = 0; i < count; ++i) f(i);
    std::printf("%s\t%.1f\n", step, (Now() - start) / count);
    std::fflush(stdout);
}

// Owns a COM interface pointer for the bare calls.
template <class T>
struct Ref {
    T* p = nullptr;
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref()
    {
        if (p != nullptr) p->Release();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const int links = argc > 1 ? std::atoi(argv[1]) : 50;
    RecordProgramPath();
    StartOle();
    const std::string folder = CurrentProgramPath().runDirectory;
    const std::string target = folder + "\\costs.exe";

    Time("GetDriveTypeA, one letter", 26 * 40, [](int i) {
        const char drive[3] = {static_cast<char>('A' + i % 26), ':', '\0'};
        ::GetDriveTypeA(drive);
    });
    Time("existence test, missing file", 400, [&](int) {
        PathExists(folder + "\\no such folder\\tool.exe");
    });
    Time("existence test, present file", 400, [&](int) { PathExists(target); });
    Time("CoInitialize + CoUninitialize", 400, [](int) {
        const HRESULT hr = ::CoInitialize(nullptr);
        if (SUCCEEDED(hr)) ::CoUninitialize();
    });
    Time("LoadTypeLib(wshom.ocx) + release", links, [](int) {
        Ref<ITypeLib> library;
        ::LoadTypeLib(L"wshom.ocx", &library.p);
    });
    Time("shell object created the program's way", links, [](int) {
        const HRESULT hr = ::CoInitialize(nullptr);
        {
            AutomationObject shell;
            shell.CreateFromClass("WshShell", "wshom.ocx");
        }
        if (SUCCEEDED(hr)) ::CoUninitialize();
    });
    {
        // One shortcut object, its seven values put again and again.
        const HRESULT hr = ::CoInitialize(nullptr);
        {
            AutomationObject shell;
            shell.CreateFromClass("WshShell", "wshom.ocx");
            AutomationObject shortcut = shell.CallMethod("CreateShortcut", {folder + "\\x.lnk"});
            Time("CreateShortcut call", links, [&](int) {
                shell.CallMethod("CreateShortcut", {folder + "\\x.lnk"});
            });
            Time("seven property puts", links, [&](int) {
                shortcut.PutProperty("TargetPath", target);
                shortcut.PutProperty("WorkingDirectory", folder + "\\");
                shortcut.PutProperty("IconLocation", std::string(""));
                shortcut.PutProperty("WindowStyle", std::int32_t{0});
                shortcut.PutProperty("Description", std::string(""));
                shortcut.PutProperty("Arguments", std::string("-x"));
                shortcut.PutProperty("Hotkey", std::string(""));
            });
            Time("Save call", links, [&](int i) {
                AutomationObject one = shell.CallMethod(
                    "CreateShortcut", {folder + "\\save-" + std::to_string(i) + ".lnk"});
                one.PutProperty("TargetPath", target);
                one.CallMethodForEffect("Save");
            });
        }
        if (SUCCEEDED(hr)) ::CoUninitialize();
    }
    SetLogOptions();
    EnableLogging();
    Time("log line", 200, [](int i) { WriteLog("cIco new : " + std::to_string(i)); });
    Time("WriteShortcut (whole link, saved)", links, [&](int i) {
        WriteShortcut("cost-" + std::to_string(i), target, std::string("-x"), std::string(""));
    });
    Time("IShellLinkW + IPersistFile::Save (bare)", links, [&](int i) {
        Ref<IShellLinkW> link;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IShellLinkW, reinterpret_cast<void**>(&link.p)))) {
            return;
        }
        link.p->SetPath(L"C:\\windows\\notepad.exe");
        link.p->SetWorkingDirectory(L"C:\\windows\\");
        link.p->SetShowCmd(0);
        link.p->SetDescription(L"");
        link.p->SetArguments(L"-x");
        Ref<IPersistFile> file;
        if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) {
            return;
        }
        wchar_t desktop[MAX_PATH] = {};
        ::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
        const std::wstring path = std::wstring(desktop) + L"\\bare-" + std::to_wstring(i) + L".lnk";
        file.p->Save(path.c_str(), TRUE);
    });
    return 0;
}
