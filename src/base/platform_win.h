// The Windows side of the platform layer: OLE for the program's thread, the
// record of where the executable lives, and the existence test.
#pragma once

#include <string>

// OleInitialize for the calling thread; EndProgram undoes it.
bool StartOle();

// Records the executable's folder and name from GetModuleFileNameA.
void RecordProgramPath();

// A path exists when a directory search finds it: files and folders alike,
// wildcards match, and a path that ends in a backslash never exists.
bool PathExists(const std::string& path);
