// Writes log records through the log writer, with the options named on the
// command line.
//   log_probe <folder: logs|dir> <header: short|ext|off> <count> <message>
//             [logPath|-] [timeText|-] [maxSizeMb]
// "off" leaves logging disabled, as before start-up. Record i of a count
// above 1 gets " #i" after the message, so that interleaved writers can be
// told apart.
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "base/platform_win.h"
#include "diag/log_writer.h"

namespace {

std::optional<std::string> OptionalArg(int argc, char** argv, int index)
{
    if (index >= argc || std::string(argv[index]) == "-") return std::nullopt;
    return std::string(argv[index]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) return 2;
    RecordProgramPath();
    StartOle();
    const std::string folder = argv[1], header = argv[2];
    const int count = std::atoi(argv[3]);
    const std::string message = argv[4];
    const auto logPath = OptionalArg(argc, argv, 5);
    const auto timeText = OptionalArg(argc, argv, 6);
    const int maxSizeMb = argc > 7 ? std::atoi(argv[7]) : 0;

    SetLogOptions(folder == "logs" ? 1 : 0, header == "short");
    if (header != "off") EnableLogging();
    for (int i = 1; i <= count; ++i) {
        std::string line = count > 1 ? message + " #" + std::to_string(i) : message;
        WriteLog(line, std::nullopt, std::nullopt, logPath, timeText, maxSizeMb);
    }
    return 0;
}
