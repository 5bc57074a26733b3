#include "diag/fault_report.h"

std::string ErrorLogPath(std::string_view runDirectory, std::string_view executableName)
{
    std::string path(runDirectory);
    path += "\\";
    path += executableName;
    path += ".Error.log";
    return path;
}

std::string ComposeFaultReport(int code, std::string_view faultText, std::string_view exePath,
                               std::string_view osName, int osCode, bool wow64)
{
    std::string report = "ErrorCode:  ";
    report += std::to_string(code);
    report += "\r\nErrorNote:  ";
    report += faultText;
    report += "\r\n";
    report += "Path:  ";
    report += exePath;
    report += "\r\n";
    report += "OS: ";
    report += osName;
    report += " , ";
    report += std::to_string(osCode);
    report += " , ";
    report += wow64 ? "X64" : "X86";
    report += "\r\n\r\n";
    return report;
}

std::string ComposeFaultBoxText(std::string_view report, std::string_view errorLogPath)
{
    std::string text(report);
    text += "错误日志已经保存在：[ ";
    text += errorLogPath;
    text += " ]请发给开发者排查问题。";
    return text;
}
