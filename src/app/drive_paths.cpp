#include "app/drive_paths.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string PathOnDrive(std::string_view drive, std::string_view path)
{
    std::string moved(drive);
    if (path.size() > 2) moved += path.substr(2);
    return moved;
}

bool NamesNothingOnDrive(std::string_view candidatePath) { return candidatePath.size() <= 2; }

std::string IconOnDrive(std::string_view iconPath, char driveLetter)
{
    std::string moved(iconPath);
    if (moved.size() >= 2 && IsAsciiLetter(moved[0]) && moved[1] == ':') moved[0] = driveLetter;
    return moved;
}
