#include "diag/log_format.h"


#include "base/text.h"

namespace {

std::string TwoDigits(int value)
{
    std::string digits = std::to_string(value);
    return digits.size() == 1 ? "0" + digits : digits;
}

std::string DateDigits(const LocalTime& now)
{
    return std::to_string(now.year) + TwoDigits(now.month) + TwoDigits(now.day);
}

// The name without its last extension; a name whose only dot leads it is
// kept whole.
std::string_view WithoutLastExtension(std::string_view name)
{
    std::size_t dot = text::FindLast(name, '.');
    return (dot == std::string_view::npos || dot == 0) ? name : name.substr(0, dot);
}

}  // namespace

std::string ComposeTimeStamp(const LocalTime& now)
{
    std::string year = std::to_string(now.year);
    if (year.size() > 2) year = year.substr(year.size() - 2);
    return year + "-" + TwoDigits(now.month) + "-" + TwoDigits(now.day) + " " +
           TwoDigits(now.hour) + ":" + TwoDigits(now.minute) + ":" + TwoDigits(now.second);
}

std::string DailyLogFileName(std::string_view executableName, const LocalTime& now)
{
    std::size_t exe = text::Find(executableName, ".exe");
    std::string_view stem = exe != std::string_view::npos ? executableName.substr(0, exe)
                                                          : WithoutLastExtension(executableName);
    return std::string(stem) + "_" + DateDigits(now) + ".log";
}

std::string DailyLogPath(std::string_view folder, std::string_view executableName,
                         const LocalTime& now)
{
    return std::string(folder) + "\\" + DailyLogFileName(executableName, now);
}

std::string PrefixedMessage(std::string_view message, const std::optional<std::string>& tag,
                            const std::optional<std::string>& subTag)
{
    std::string bracket = tag.value_or("");
    if (subTag) bracket += " / " + *subTag;
    if (tag.value_or("").empty() && subTag.value_or("").empty()) bracket.clear();
    if (bracket.empty()) return std::string(message);
    return "[" + bracket + "] " + std::string(message);
}

std::string ShortLine(std::string_view timeStamp, std::uint32_t pid, std::string_view prefixed)
{
    std::string line(timeStamp);
    line += " [PID] ";
    line += std::to_string(pid);
    line += " ";
    line += prefixed;
    return line;
}

std::string ExtendedLine(std::string_view timeStamp, std::string_view exePath,
                         std::string_view fileVersion, std::string_view md5Prefix,
                         std::uint32_t pid, std::string_view prefixed)
{
    std::string line(timeStamp);
    line += " [F] ";
    line += exePath;
    line += " [V] ";
    line += fileVersion;
    line += " [M] ";
    line += md5Prefix;
    line += " [P] ";
    line += std::to_string(pid);
    line += " : ";
    line += prefixed;
    return line;
}

bool ExceedsSizeCap(std::int64_t size, int maxSizeMb)
{
    if (maxSizeMb <= 0) return false;
    return static_cast<double>(size) / 1048576.0 - maxSizeMb > 0.0000001;
}
