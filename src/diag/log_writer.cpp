#include "diag/log_writer.h"

#include <windows.h>

#include "base/platform_win.h"
#include "base/program_path.h"
#include "base/win_handles.h"
#include "diag/log_format.h"
#include "diag/system_facts.h"

LogSettingsRecord LogSettings;

namespace {

LocalTime ReadNow()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// The folder of the daily log; in the subfolder mode the folder is made when
// nothing of that name exists yet.
std::string LogFolder()
{
    const std::string& runDirectory = CurrentProgramPath().runDirectory;
    if (LogSettings.LogInLogsFolder != 1) return runDirectory;
    std::string folder = runDirectory + "\\logs";
    if (!PathExists(folder)) ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void FillExtendedCaches()
{
    if (LogSettings.CachedExePath.empty()) LogSettings.CachedExePath = CurrentExecutablePath();
    if (LogSettings.CachedFileVersion.empty()) {
        LogSettings.CachedFileVersion = QueryFileVersion(LogSettings.CachedExePath);
    }
    if (LogSettings.CachedMd5Prefix.empty()) {
        LogSettings.CachedMd5Prefix = Md5Prefix(LogSettings.CachedExePath);
    }
}

std::int64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Appenders of one log take turns on a byte far beyond any data, so that
// readers are never in the way.
constexpr DWORD kTurnOffsetHigh = 0x7FFFFFFF;

// A turn lasts one write, so a turn not had within this long is held by a
// program that does not take turns at all (one that locks the whole file,
// say). Waiting for it would never end.
constexpr DWORD kTurnWaitMs = 500;

// Set once a turn could not be had in time: while the byte stays locked the
// later records ask once and do not wait again. A turn had clears it.
bool turnBlocked = false;

// Takes the turn, waiting for it a bounded while; false without it.
bool TakeTurn(HANDLE file, OVERLAPPED& turn)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                         &turn)) {
            turnBlocked = false;
            return true;
        }
        // Another error: this file takes no locks; nobody can take turns.
        if (::GetLastError() != ERROR_LOCK_VIOLATION) return false;
        if (turnBlocked || ::GetTickCount() - start >= kTurnWaitMs) {
            turnBlocked = true;
            return false;
        }
        ::Sleep(1);
    }
}

// One write of the whole record to a file opened for appending. Windows
// moves to the end and writes in one step; where appending is emulated (as
// under Wine) the two are separate, so two processes writing at once could
// overwrite each other's records. Taking turns through a lock keeps every
// record whole in both cases. Without a turn the record is still written:
// where the other program has locked the record's bytes too, that fails and
// the record is dropped, as for a log held exclusively.
void AppendRecord(const std::string& path, const std::string& record)
{
    if (path.empty()) return;
    // Lock ranges need read or write data access; append alone is not enough.
    UniqueHandle file(::CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    OVERLAPPED turn = {};
    turn.OffsetHigh = kTurnOffsetHigh;
    const bool locked = TakeTurn(file.Get(), turn);
    DWORD written = 0;
    ::WriteFile(file.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    if (locked) ::UnlockFileEx(file.Get(), 0, 1, 0, &turn);
}

}  // namespace

void SetLogOptions(std::optional<int> folderMode, std::optional<bool> shortHeader)
{
    LogSettings.LogInLogsFolder = folderMode.value_or(0) == 1 ? 1 : 0;
    LogSettings.LogHeaderStyle = shortHeader.value_or(false) ? 1 : 2;
}

void EnableLogging() { LogSettings.LogEnabled = 1; }

void WriteLog(const std::string& message, const std::optional<std::string>& tag,
              const std::optional<std::string>& subTag, const std::optional<std::string>& logPath,
              const std::optional<std::string>& timeText, int maxSizeMb)
{
    if (LogSettings.LogEnabled == 0) return;
    const std::string folder = LogFolder();
    const LocalTime now = ReadNow();
    const std::string target =
        logPath ? *logPath : DailyLogPath(folder, CurrentProgramPath().executableName, now);
    const std::string timeStamp = timeText ? *timeText : ComposeTimeStamp(now);

    if (maxSizeMb > 0 && ExceedsSizeCap(FileSize(target), maxSizeMb)) {
        ::DeleteFileA(target.c_str());
    }

    const std::string prefixed = PrefixedMessage(message, tag, subTag);
    const DWORD pid = ::GetCurrentProcessId();
    std::string record;
    if (LogSettings.LogHeaderStyle == 2) {
        FillExtendedCaches();
        record = ExtendedLine(timeStamp, LogSettings.CachedExePath, LogSettings.CachedFileVersion,
                              LogSettings.CachedMd5Prefix, pid, prefixed);
    } else {
        record = ShortLine(timeStamp, pid, prefixed);
    }
    record += "\r\n";
    AppendRecord(target, record);
}
