// The fault texts and the crash report, whatever the message, the program's
// path and the OS name hold: every piece must come back out whole and in its
// place, so that the report a user sends is the fault that happened.
#include <charconv>

#include "base/fault_text.h"
#include "diag/fault_report.h"
#include "fuzz_input.h"

namespace {

// "<routine>, <position>\r\n" read back from the end of a fault text.
bool LocationLineReads(std::string_view tail, int routine, int position)
{
    if (!tail.ends_with("\r\n")) return false;
    tail.remove_suffix(2);
    const std::size_t comma = tail.find(", ");
    if (comma == std::string_view::npos) return false;
    int readRoutine = 0, readPosition = 0;
    const auto first = std::from_chars(tail.data(), tail.data() + comma, readRoutine);
    const auto second =
        std::from_chars(tail.data() + comma + 2, tail.data() + tail.size(), readPosition);
    return first.ec == std::errc() && first.ptr == tail.data() + comma &&
           second.ec == std::errc() && second.ptr == tail.data() + tail.size() &&
           readRoutine == routine && readPosition == position;
}

void CheckFaultText(std::string_view message, int routine, int position, int code)
{
    const std::string text = ComposeFaultText(message, routine, position);
    FUZZ_CHECK(text.starts_with(message));
    FUZZ_CHECK(text.compare(message.size(), 2, "\r\n") == 0);
    FUZZ_CHECK(LocationLineReads(std::string_view(text).substr(message.size() + 2), routine, position));

    const std::string box = ComposeMechanismBoxText(code, text);
    FUZZ_CHECK(box.find(std::to_string(code) + "\r\n" + text) != std::string::npos);
    FUZZ_CHECK(!FaultMessage(code).empty() == (code == kFaultIndexAboveCount || code == kFaultIndexBelowOne));
}

void CheckWindowFaultText(int windowId, std::string_view name)
{
    // The window's line sits between the location line and the closing CR LF.
    const std::string text = ComposeWindowFaultText(windowId, name);
    const std::string location = "\r\n" + std::to_string(windowId) + ", 0\r\n";
    const std::size_t at = text.find(location);
    FUZZ_CHECK(at != std::string::npos);
    FUZZ_CHECK(text.ends_with("\r\n"));
    const std::string_view line =
        std::string_view(text).substr(at + location.size(), text.size() - at - location.size() - 2);
    if (name.empty()) {
        FUZZ_CHECK(!line.empty() && line.front() != '"');
    } else {
        FUZZ_CHECK(line == "\"" + std::string(name) + "\"");
    }
}

void CheckReport(int code, std::string_view faultText, std::string_view exePath,
                 std::string_view osName, int osCode, bool wow64, std::string_view runDirectory)
{
    const std::string report = ComposeFaultReport(code, faultText, exePath, osName, osCode, wow64);
    const std::string head = "ErrorCode:  " + std::to_string(code) + "\r\nErrorNote:  ";
    FUZZ_CHECK(report.starts_with(head));
    std::string_view rest = std::string_view(report).substr(head.size());
    FUZZ_CHECK(rest.starts_with(faultText));
    rest.remove_prefix(faultText.size());
    const std::string path = "\r\nPath:  " + std::string(exePath) + "\r\n";
    FUZZ_CHECK(rest.starts_with(path));
    rest.remove_prefix(path.size());
    FUZZ_CHECK(rest == "OS: " + std::string(osName) + " , " + std::to_string(osCode) + " , " +
                           (wow64 ? "X64" : "X86") + "\r\n\r\n");

    const std::string exeName = "Restore.exe";
    const std::string logPath = ErrorLogPath(runDirectory, exeName);
    FUZZ_CHECK(logPath == std::string(runDirectory) + "\\Restore.exe.Error.log");
    const std::string box = ComposeFaultBoxText(report, logPath);
    FUZZ_CHECK(box.starts_with(report));
    FUZZ_CHECK(box.find(logPath, report.size()) != std::string::npos);
}

}  // namespace

// Code, routine, position, OS code, flags, then the message, the window name,
// the program's path, the OS name and the run directory.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    const int code = input.Int16();
    const int routine = input.Int16() * 40503;
    const int position = input.Int16();
    const int osCode = static_cast<std::int8_t>(input.Byte());
    const bool wow64 = input.Byte() & 1;
    const std::string message(input.Field());
    const std::string windowName(input.Field());
    const std::string exePath(input.Field());
    const std::string osName(input.Field());
    const std::string runDirectory(input.Rest());

    CheckFaultText(message, routine, position, code);
    CheckWindowFaultText(routine, windowName);
    CheckReport(code, ComposeFaultText(message, routine, position), exePath, osName, osCode,
                wow64, runDirectory);
    return 0;
}
