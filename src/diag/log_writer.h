// Appends one record per call to a log file: by default the daily log named
// after the executable and the date, beside it or in its "logs" subfolder.
// A record that cannot be written is dropped; nothing here fails loudly.
#pragma once

#include <optional>
#include <string>

struct LogSettingsRecord {
    int LogInLogsFolder = 0;  // 1: the daily log lies in <run directory>\logs
    int LogHeaderStyle = 0;   // 2: extended header; anything else: short
    int LogEnabled = 0;       // 0: WriteLog does nothing
    std::string CachedExePath;
    std::string CachedFileVersion;
    std::string CachedMd5Prefix;
};

extern LogSettingsRecord LogSettings;

// folderMode 1 puts the daily log in the logs subfolder; shortHeader picks the
// short header over the extended one. Absent values count as 0 and false.
void SetLogOptions(std::optional<int> folderMode = std::nullopt,
                   std::optional<bool> shortHeader = std::nullopt);

void EnableLogging();

// Only the message is required. A present logPath or timeText is used as it
// is, even when empty; maxSizeMb above 0 deletes a target file that has grown
// beyond that many MiB before the record is written.
void WriteLog(const std::string& message, const std::optional<std::string>& tag = std::nullopt,
              const std::optional<std::string>& subTag = std::nullopt,
              const std::optional<std::string>& logPath = std::nullopt,
              const std::optional<std::string>& timeText = std::nullopt, int maxSizeMb = 0);
