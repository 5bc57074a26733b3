// How a configured path is moved onto another drive.
#pragma once

#include <string>
#include <string_view>

// The drive text (such as C:) in place of the path's first two bytes,
// whatever they are; a path shorter than two bytes gives the drive alone.
std::string PathOnDrive(std::string_view drive, std::string_view path);

// A candidate with nothing after its first two bytes names no file: trying it
// would test a bare drive, which Windows reads as that drive's current folder.
bool NamesNothingOnDrive(std::string_view candidatePath);

// An icon path that begins with a drive (a letter and a colon) moved to the
// given drive letter; any other icon path comes back as it is.
std::string IconOnDrive(std::string_view iconPath, char driveLetter);
