// Writes shell shortcuts (.lnk) into the current user's desktop directory
// through the Windows Script Host shell object.
#pragma once

#include <optional>
#include <string>

// Makes <desktop>\<name>.lnk pointing at targetPath, with the target's folder
// as working directory. The name comes from the link name's last component
// without its extension when the link name holds a backslash; ".lnk" is added
// unless the name holds it already (in any letter case).
//
// An icon location that is present is written as it is, even when empty; an
// absent one is "<target>,0", or "SHELL32.dll,4" for a target without an
// extension. Every other value is written too, as empty text or 0 when absent.
//
// An old link of the same name is kept until the new one has been saved, and
// is put back when it could not be. True only when the new link was saved.
bool WriteShortcut(const std::string& linkName, const std::string& targetPath,
                   const std::optional<std::string>& arguments = std::nullopt,
                   const std::optional<std::string>& iconLocation = std::nullopt,
                   std::optional<int> windowStyle = std::nullopt,
                   const std::optional<std::string>& description = std::nullopt,
                   const std::optional<std::string>& hotkey = std::nullopt);

// The path's last component (as the shell splits it), without its extension
// unless keepExtension; empty when that component ends in a backslash.
std::string FileNameWithoutExtension(const std::string& path, bool keepExtension = false);

// The extension with its leading dot, as the shell finds it, or empty.
std::string FileExtension(const std::string& path);
