// Writes what the system-fact queries and the desktop lookup answer, one
// "name=value" line each, to a file (texts in the ANSI code page).
//   facts_probe <output file> <file to ask about>
#include <windows.h>

#include <string>

#include "app/startup.h"
#include "base/platform_win.h"
#include "diag/system_facts.h"
#include "shell/special_folder.h"
#include "helper_files.h"

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    RecordProgramPath();
    StartOle();
    InitTextCodePage();
    const std::string subject = argv[2];

    std::string out;
    out += "version=" + QueryFileVersion(subject) + "\r\n";
    out += "md5=" + Md5Prefix(subject) + "\r\n";
    out += "oscode=" + std::to_string(GetOsCode()) + "\r\n";
    out += "osname=" + GetOsName() + "\r\n";
    out += std::string("wow64=") + (IsWow64() ? "1" : "0") + "\r\n";
    out += "desktop=" + GetDesktopDirectory() + "\r\n";
    out += "acp=" + std::to_string(::GetACP()) + "\r\n";

    return WriteTextFile(argv[1], out, FileMode::Replace) ? 0 : 1;
}
