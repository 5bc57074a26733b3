// Writes what the system-fact queries and the desktop lookup answer, one
// "name=value" line each, to a file (texts in the ANSI code page).
//   facts_probe <output file> <file to ask about>
#include <windows.h>

#include <string>

#include "app/startup.h"
#include "base/platform_win.h"
#include "base/win_handles.h"
#include "diag/system_facts.h"
#include "shell/special_folder.h"

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

    UniqueHandle file(::CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.Get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr)) {
        return 1;
    }
    return 0;
}
