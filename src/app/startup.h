// Start-up of the process-wide state.
#pragma once

// Records the executable's folder and name, makes that folder the current
// directory (so relative paths in config.ini are read against it) and
// initialises OLE for the thread.
void StartPlatform();

// TextCodePage = 936, the code page of texts made from the shell's paths.
void InitTextCodePage();

// Logging on, into the logs subfolder with the short header, until the job
// sets its own options; then the run-time error handler is installed.
void InitDiagnostics();

// The process entry: prepares the platform and the process-wide state,
// creates the program's hidden window, whose creation runs the job, and runs
// the message loop. The job ends the process; 0 if the loop ever ends.
int ProgramMain();
