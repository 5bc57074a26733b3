// The exit-routine list and the one way the program ends.
#pragma once

using ExitRoutine = void (*)();

// Appends unless the routine is already in the list.
void RegisterExitRoutine(ExitRoutine routine);

// After a fault none of the exit routines may run.
void ClearExitRoutines();

// Runs the exit routines in registration order, releases what the platform
// layer holds (windows, libraries loaded on demand, OLE) and ends the process.
[[noreturn]] void EndProgram(int exitCode);

// Platform services EndProgram needs; each build supplies them.
void ReleasePlatform();
[[noreturn]] void TerminateProgram(int exitCode);
