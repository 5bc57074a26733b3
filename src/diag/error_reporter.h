// The handler of run-time faults: the crash report goes to
// <run directory>\<executable name>.Error.log and into a message box.
#pragma once

#include <string>

// Registers OnRuntimeError as the program's one fault handler.
void InstallErrorHandler();

// Reports the fault through ReportRuntimeError; always 1 (reported).
int OnRuntimeError(int code, const char* faultText);

// Appends the report to the error log, shows it with where the log lies and
// waits for the box to be closed; returns 1.
int ReportRuntimeError(int code, const std::string& faultText);
