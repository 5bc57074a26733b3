#include "diag/error_reporter.h"

#include <windows.h>

#include "base/fault.h"
#include "base/program_path.h"
#include "diag/fault_report.h"
#include "diag/log_writer.h"
#include "diag/system_facts.h"

void InstallErrorHandler() { SetRuntimeErrorHandler(OnRuntimeError); }

int OnRuntimeError(int code, const char* faultText)
{
    // The mechanism's text is valid only during this call.
    const std::string copy = faultText != nullptr ? faultText : "";
    return ReportRuntimeError(code, copy);
}

int ReportRuntimeError(int code, const std::string& faultText)
{
    const ProgramPath& program = CurrentProgramPath();
    const bool wow64 = IsWow64();
    const std::string osName = GetOsName();
    const int osCode = GetOsCode();
    const std::string report =
        ComposeFaultReport(code, faultText, CurrentExecutablePath(), osName, osCode, wow64);

    const std::string errorLog = ErrorLogPath(program.runDirectory, program.executableName);
    WriteLog(report, std::nullopt, std::nullopt, errorLog);

    ::MessageBoxA(nullptr, ComposeFaultBoxText(report, errorLog).c_str(),
                  "程序出现了故障，请联系技术支持", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
}
