#include "app/job.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "app/globals.h"
#include "app/probe.h"
#include "app/profile_text.h"
#include "base/exit_routines.h"
#include "base/program_path.h"
#include "base/routine_ids.h"
#include "base/shell_routines.h"
#include "base/win_handles.h"
#include "diag/log_writer.h"

namespace {

// The whole list of section names comes in one call; names beyond it, and
// the one it cuts, are not handled.
constexpr DWORD kSectionListBytes = 204800;
// At most 10239 bytes of a value arrive; a longer one is cut.
constexpr DWORD kValueBytes = 10240;

TextArray ReadSectionNames(const std::string& file)
{
    std::vector<char> buffer(kSectionListBytes, '\0');
    const DWORD length =
        ::GetPrivateProfileSectionNamesA(buffer.data(), kSectionListBytes, file.c_str());
    std::vector<std::string> names = SplitNulList(buffer.data(), length == 0 ? 0 : buffer.size());
    if (length == kSectionListBytes - 2) names = DropCutName(std::move(names), buffer.size());
    return TextArray(std::move(names));
}

std::string ReadValue(std::string_view file, std::string_view section, std::string_view key)
{
    const std::string fileText(SkipLeadingBlanks(file));
    const std::string sectionText(SkipLeadingBlanks(section));
    const std::string keyText(SkipLeadingBlanks(key));
    if (fileText.empty() || sectionText.empty() || keyText.empty()) return {};
    std::vector<char> buffer(kValueBytes, '\0');
    const DWORD length = ::GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), "",
                                                    buffer.data(), kValueBytes, fileText.c_str());
    return std::string(buffer.data(), length);
}

ShortcutEntry ReadShortcutEntry(const std::string& file, const std::string& section)
{
    ShortcutEntry entry;
    entry.Name = ReadValue(file, section, "名称");
    entry.Path = ReadValue(file, section, "路径");
    entry.PathIcon = ReadValue(file, section, "路径图标");
    entry.PathAlt2 = ReadValue(file, section, "路径备用2");
    entry.PathAlt2Icon = ReadValue(file, section, "路径备用2图标");
    entry.PathAlt3 = ReadValue(file, section, "路径备用3");
    entry.PathAlt3Icon = ReadValue(file, section, "路径备用3图标");
    entry.Arguments = ReadValue(file, section, "参数");
    return entry;
}

}  // namespace

void RunShortcutJob()
{
    SetLogOptions();
    EnableLogging();
    ConfigPath = CurrentProgramPath().runDirectory + "\\config.ini";
    SectionNames = ReadSectionNames(ConfigPath);

    const int count = SectionNames.Count();
    for (int i = 1; i <= count; ++i) {
        const ShortcutEntry entry =
            ReadShortcutEntry(ConfigPath, SectionNames.At(i, kRoutineRunShortcutJob));
        if (ProbeCandidate(entry.Name, entry.Path, entry.Arguments, entry.PathIcon) != 0) continue;
        if (ProbeCandidate(entry.Name, entry.PathAlt2, entry.Arguments, entry.PathAlt2Icon) != 0) {
            continue;
        }
        ProbeCandidate(entry.Name, entry.PathAlt3, entry.Arguments, entry.PathAlt3Icon);
    }

    RefreshDesktop();
    EndProgram(0);
}

void RefreshDesktop()
{
    bound::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);

    // CreateProcessA may write into the command line, so it gets a copy.
    char commandLine[] = "RunDll32.exe USER32.DLL,UpdatePerUserSystemParameters";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    ::WaitForInputIdle(process.Get(), 1000);
}
