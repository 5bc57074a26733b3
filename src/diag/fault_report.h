// The crash report a run-time fault leaves in the error log and shows.
#pragma once

#include <string>
#include <string_view>

// The run directory, a backslash, the executable name and ".Error.log".
std::string ErrorLogPath(std::string_view runDirectory, std::string_view executableName);

// ErrorCode, ErrorNote with the fault text, Path, the OS line, an empty line.
std::string ComposeFaultReport(int code, std::string_view faultText, std::string_view exePath,
                               std::string_view osName, int osCode, bool wow64);

// The report and where its log lies.
std::string ComposeFaultBoxText(std::string_view report, std::string_view errorLogPath);
