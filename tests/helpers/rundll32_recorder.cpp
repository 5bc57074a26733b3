// Stands in for RunDll32.exe: appends its command line and the show state it
// was started with to RunDll32.calls.txt beside itself, one line per start:
// the command line, a tab, the start-up flags, a tab, the show state.
#include <windows.h>

#include <string>

#include "base/platform_win.h"
#include "base/program_path.h"
#include "helper_files.h"

int main()
{
    RecordProgramPath();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);

    std::string line = ::GetCommandLineA();
    line += "\t" + std::to_string(startup.dwFlags);
    line += "\t" + std::to_string(startup.wShowWindow) + "\r\n";

    const std::string record = CurrentProgramPath().runDirectory + "\\RunDll32.calls.txt";
    WriteTextFile(record, line, FileMode::Append);
    return 0;
}
