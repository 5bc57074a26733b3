// The shell32 and shlwapi routines the program calls, bound by name at their
// first call so that the program starts without either library.
#pragma once

#include <windows.h>

#include "base/bound_routine.h"

namespace bound {

inline BoundRoutine<BOOL(WINAPI*)(HWND, LPWSTR, int, BOOL)> SHGetSpecialFolderPathW{
    "shell32.dll", "SHGetSpecialFolderPathW"};
inline BoundRoutine<BOOL(WINAPI*)(HWND, LPSTR, int, BOOL)> SHGetSpecialFolderPathA{
    "shell32.dll", "SHGetSpecialFolderPathA"};
inline BoundRoutine<void(WINAPI*)(LONG, UINT, LPCVOID, LPCVOID)> SHChangeNotify{
    "shell32.dll", "SHChangeNotify"};
inline BoundRoutine<LPSTR(WINAPI*)(LPCSTR)> PathFindFileNameA{"shlwapi.dll", "PathFindFileNameA"};
inline BoundRoutine<LPSTR(WINAPI*)(LPCSTR)> PathFindExtensionA{"shlwapi.dll",
                                                                "PathFindExtensionA"};

}  // namespace bound
