// How log records and log file names are composed; no file is touched here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// yy-MM-dd hh:mm:ss
std::string ComposeTimeStamp(const LocalTime& now);

// The daily log's file name: the executable name up to its first ".exe"
// (exact case), or without its last extension when it has no ".exe", then
// "_", yyyyMMdd and ".log". Restore.exe on 22 January 2024 gives
// Restore_20240122.log.
std::string DailyLogFileName(std::string_view executableName, const LocalTime& now);

// The folder, a backslash and the daily file name; the date goes into the
// file name only, whatever the folder is called.
std::string DailyLogPath(std::string_view folder, std::string_view executableName,
                         const LocalTime& now);

// "[tag / subTag] message", with the bracket left out when both are empty.
std::string PrefixedMessage(std::string_view message, const std::optional<std::string>& tag,
                            const std::optional<std::string>& subTag);

std::string ShortLine(std::string_view timeStamp, std::uint32_t pid, std::string_view prefixed);

std::string ExtendedLine(std::string_view timeStamp, std::string_view exePath,
                         std::string_view fileVersion, std::string_view md5Prefix,
                         std::uint32_t pid, std::string_view prefixed);

// Whether a file of `size` bytes is over a cap of `maxSizeMb` MiB; a cap of 0
// or less, or a missing file (size -1), is never over.
bool ExceedsSizeCap(std::int64_t size, int maxSizeMb);
