// Where the running executable lives: its folder (the run directory, without
// a trailing backslash; a drive alone such as D: for a drive's root) and its
// file name, as the system reports them.
#pragma once

#include <string>
#include <string_view>

struct ProgramPath {
    std::string runDirectory;
    std::string executableName;
};

// Splits at the last backslash; with none the folder is empty and the name is
// the whole path.
ProgramPath SplitProgramPath(std::string_view fullPath);

// Recorded once at start-up (RecordProgramPath in the Windows build).
const ProgramPath& CurrentProgramPath();
void SetCurrentProgramPath(ProgramPath path);

// The run directory, a backslash and the executable name.
std::string CurrentExecutablePath();
