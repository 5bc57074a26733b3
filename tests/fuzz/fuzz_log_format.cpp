// Composing the daily log's path and its records from whatever the process
// name, the folder and the messages hold.
#include "diag/log_format.h"
#include "fuzz_input.h"

namespace {

std::string PaddedNumber(int value, std::size_t width)
{
    std::string digits = std::to_string(value);
    while (digits.size() < width) digits.insert(0, "0");
    return digits;
}

// The log's stem: the name before its first ".exe" that starts on a
// character, else the name without its last extension (a leading dot is no
// extension).
std::string ExpectedStem(std::string_view name)
{
    const std::vector<bool> starts = fuzz::CharacterStarts(name);
    for (std::size_t pos = 0; pos + 4 <= name.size(); ++pos) {
        if (starts[pos] && name.substr(pos, 4) == ".exe") return std::string(name.substr(0, pos));
    }
    std::size_t dot = std::string_view::npos;
    for (std::size_t pos = 0; pos < name.size(); ++pos) {
        if (starts[pos] && name[pos] == '.') dot = pos;
    }
    if (dot == std::string_view::npos || dot == 0) return std::string(name);
    return std::string(name.substr(0, dot));
}

void CheckDailyLogPath(std::string_view folder, std::string_view exeName, const LocalTime& now)
{
    const std::string date = std::to_string(now.year) + PaddedNumber(now.month, 2) +
                             PaddedNumber(now.day, 2);
    const std::string expected =
        std::string(folder) + "\\" + ExpectedStem(exeName) + "_" + date + ".log";
    FUZZ_CHECK(DailyLogPath(folder, exeName, now) == expected);
}

void CheckTimeStamp(const LocalTime& now)
{
    const std::string stamp = ComposeTimeStamp(now);
    const bool inRange = now.year >= 10 && now.month >= 0 && now.month < 100 && now.day >= 0 &&
                         now.day < 100 && now.hour >= 0 && now.hour < 100 &&
                         now.minute >= 0 && now.minute < 100 && now.second >= 0 &&
                         now.second < 100;
    if (!inRange) return;
    const std::string year = std::to_string(now.year);
    FUZZ_CHECK(stamp == year.substr(year.size() - 2) + "-" + PaddedNumber(now.month, 2) + "-" +
                            PaddedNumber(now.day, 2) + " " + PaddedNumber(now.hour, 2) + ":" +
                            PaddedNumber(now.minute, 2) + ":" + PaddedNumber(now.second, 2));
}

void CheckRecords(std::string_view message, const std::optional<std::string>& tag,
                  const std::optional<std::string>& subTag, std::uint32_t pid)
{
    // The message always ends the text unchanged; a bracket comes first only
    // when a tag or sub-tag has text.
    const std::string prefixed = PrefixedMessage(message, tag, subTag);
    FUZZ_CHECK(prefixed.ends_with(message));
    const bool bracket = !tag.value_or("").empty() || !subTag.value_or("").empty();
    if (!bracket) {
        FUZZ_CHECK(prefixed == message);
    } else {
        std::string head = "[" + tag.value_or("");
        if (subTag) head += " / " + *subTag;
        head += "] ";
        FUZZ_CHECK(prefixed == head + std::string(message));
    }

    const std::string stamp = "26-12-11 15:49:35";
    FUZZ_CHECK(ShortLine(stamp, pid, prefixed) ==
               stamp + " [PID] " + std::to_string(pid) + " " + prefixed);
    const std::string line = ExtendedLine(stamp, "D:\\Tools\\Restore.exe", "1.0.0.4",
                                          "D41D8CD98F", pid, prefixed);
    FUZZ_CHECK(line.rfind(stamp + " [F] D:\\Tools\\Restore.exe [V] 1.0.0.4 [M] D41D8CD98F [P] ", 0) == 0);
    FUZZ_CHECK(line.ends_with(std::to_string(pid) + " : " + prefixed));
}

std::optional<std::string> OptionalField(fuzz::Input& input, bool present)
{
    std::string field(input.Field());
    if (!present) return std::nullopt;
    return field;
}

}  // namespace

// Flags (tag and sub-tag present), the date and time, the pid, the folder,
// the executable name, the tag, the sub-tag, then the message.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    const std::uint8_t flags = input.Byte();
    LocalTime now;
    now.year = input.Int16();
    now.month = static_cast<std::int8_t>(input.Byte());
    now.day = static_cast<std::int8_t>(input.Byte());
    now.hour = static_cast<std::int8_t>(input.Byte());
    now.minute = static_cast<std::int8_t>(input.Byte());
    now.second = static_cast<std::int8_t>(input.Byte());
    const std::uint32_t pid = static_cast<std::uint32_t>(input.Int16()) * 65537u;
    const std::string folder(input.Field());
    const std::string exeName(input.Field());
    const std::optional<std::string> tag = OptionalField(input, flags & 1);
    const std::optional<std::string> subTag = OptionalField(input, flags & 2);
    const std::string message(input.Rest());

    CheckDailyLogPath(folder, exeName, now);
    CheckTimeStamp(now);
    CheckRecords(message, tag, subTag, pid);
    return 0;
}
