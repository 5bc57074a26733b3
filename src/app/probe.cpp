#include "app/probe.h"

#include <windows.h>
#include <shlobj.h>

#include "app/drive_paths.h"
#include "base/platform_win.h"
#include "base/routine_ids.h"
#include "base/shell_routines.h"
#include "base/text.h"
#include "base/text_array.h"
#include "diag/log_writer.h"
#include "shell/shortcut_writer.h"

namespace {

// Asked afresh on every call: drives come and go while people use the tool.
TextArray FixedDrives()
{
    TextArray drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string drive{letter, ':'};
        if (::GetDriveTypeA(drive.c_str()) == DRIVE_FIXED) drives.Append(drive);
    }
    return drives;
}

// The desktop directory with one trailing backslash, or empty.
std::string DesktopFolderForLinks()
{
    char buffer[MAX_PATH] = {};
    if (!bound::SHGetSpecialFolderPathA(nullptr, buffer, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
    std::string folder = buffer;
    if (!text::EndsWithCharacter(folder, '\\')) folder += '\\';
    return folder;
}

// The configured icon when it exists, else the same path on the target's drive.
std::string ChooseIcon(const std::string& iconPath, char driveLetter)
{
    if (PathExists(iconPath)) return iconPath;
    return IconOnDrive(iconPath, driveLetter);
}

}  // namespace

int ProbeCandidate(const std::string& shortcutName, const std::string& candidatePath,
                   const std::string& shortcutArguments, const std::string& iconPath)
{
    if (NamesNothingOnDrive(candidatePath)) return 0;
    const TextArray drives = FixedDrives();
    for (int i = 1; i <= drives.Count(); ++i) {
        const std::string probePath = PathOnDrive(drives.At(i, kRoutineProbeCandidate), candidatePath);
        if (!PathExists(probePath)) continue;

        std::string iconText;
        WriteLog("cIco old : " + iconText);
        iconText = ChooseIcon(iconPath, probePath[0]);
        WriteLog("cIco new : " + iconText);
        WriteLog("tPath: " + candidatePath + " cIco: " + iconText);
        if (!PathExists(iconText)) iconText.clear();

        WriteShortcut(DesktopFolderForLinks() + shortcutName, probePath, shortcutArguments,
                      iconText);
        return 1;
    }
    return 0;
}
