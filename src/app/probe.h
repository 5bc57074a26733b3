// Finds one candidate target on the machine's fixed drives and has its
// desktop shortcut written.
#pragma once

#include <string>

// Tries candidatePath on every fixed drive in letter order, the drive's letter
// and colon in place of the path's first two bytes. At the first drive where
// the target exists it logs the icon choice and writes the shortcut; returns 1
// then, whatever became of the shortcut, and 0 when no drive has the target.
int ProbeCandidate(const std::string& shortcutName, const std::string& candidatePath,
                   const std::string& shortcutArguments, const std::string& iconPath);
