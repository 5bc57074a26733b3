#include "shell/shortcut_writer.h"

#include <windows.h>
#include <objbase.h>

#include <cstring>

#include "base/automation.h"
#include "base/shell_routines.h"
#include "base/text.h"
#include "base/win_handles.h"
#include "shell/path_parts.h"
#include "shell/set_aside_link.h"
#include "shell/special_folder.h"

namespace {

struct ShortcutProperties {
    std::string targetPath;
    std::string workingDirectory;
    std::string iconLocation;
    int windowStyle = 0;
    std::string description;
    std::string arguments;
    std::string hotkey;
};

std::string LinkPathFor(const std::string& linkName)
{
    const std::string name =
        text::Contains(linkName, "\\") ? FileNameWithoutExtension(linkName) : linkName;
    std::string linkPath = GetDesktopDirectory() + name;
    if (!text::Contains(name, ".lnk", text::Case::IgnoreAscii)) linkPath += ".lnk";
    return linkPath;
}

// Builds the link from a fresh shortcut object and saves it; true when saved.
bool SaveShortcut(const std::string& linkPath, const ShortcutProperties& properties)
{
    ComScope com;
    AutomationObject shell;
    if (!shell.CreateFromClass("WshShell", "wshom.ocx")) return false;
    AutomationObject shortcut = shell.CallMethod("CreateShortcut", {linkPath});
    shell.Release();
    if (shortcut.IsEmpty()) return false;
    if (!shortcut.PutProperty("TargetPath", properties.targetPath)) return false;

    // The shell object refuses some values (under Wine an icon without an
    // index, an empty hotkey); the link is still worth saving without them.
    shortcut.PutProperty("WorkingDirectory", properties.workingDirectory);
    shortcut.PutProperty("IconLocation", properties.iconLocation);
    shortcut.PutProperty("WindowStyle", static_cast<std::int32_t>(properties.windowStyle));
    shortcut.PutProperty("Description", properties.description);
    shortcut.PutProperty("Arguments", properties.arguments);
    shortcut.PutProperty("Hotkey", properties.hotkey);
    return shortcut.CallMethodForEffect("Save");
}

std::string DefaultIconFor(const std::string& targetPath)
{
    if (FileExtension(targetPath).empty()) return "SHELL32.dll,4";
    return targetPath + ",0";
}

}  // namespace

bool WriteShortcut(const std::string& linkName, const std::string& targetPath,
                   const std::optional<std::string>& arguments,
                   const std::optional<std::string>& iconLocation,
                   std::optional<int> windowStyle, const std::optional<std::string>& description,
                   const std::optional<std::string>& hotkey)
{
    const std::string linkPath = LinkPathFor(linkName);
    ShortcutProperties properties;
    properties.targetPath = targetPath;
    properties.workingDirectory = ParentDirectoryOf(targetPath);
    // A target without a folder gives no working directory and no link; the
    // old link is not touched.
    if (properties.workingDirectory.empty()) return false;
    properties.iconLocation = iconLocation ? *iconLocation : DefaultIconFor(targetPath);
    properties.windowStyle = windowStyle.value_or(0);
    properties.description = description.value_or("");
    properties.arguments = arguments.value_or("");
    properties.hotkey = hotkey.value_or("");

    SetAsideLink oldLink(linkPath);
    if (!oldLink.Ready()) return false;
    if (!SaveShortcut(linkPath, properties)) return false;
    oldLink.Discard();
    return true;
}

std::string FileNameWithoutExtension(const std::string& path, bool keepExtension)
{
    const char* name = bound::PathFindFileNameA(path.c_str());
    const std::string fileName = name != nullptr ? name : "";
    if (text::EndsWithCharacter(fileName, '\\')) return {};
    if (keepExtension) return fileName;
    const char* extension = bound::PathFindExtensionA(fileName.c_str());
    const std::size_t extensionLength = extension != nullptr ? std::strlen(extension) : 0;
    return fileName.substr(0, fileName.size() - extensionLength);
}

std::string FileExtension(const std::string& path)
{
    const char* extension = bound::PathFindExtensionA(path.c_str());
    return extension != nullptr ? extension : "";
}
