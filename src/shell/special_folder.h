// Shell special folders, and texts made from the shell's UTF-16 paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

// A path as UTF-16LE units followed by one zero unit; empty when no path is
// known.
using ByteBuffer = std::vector<unsigned char>;

// A folder chosen by type code (1 to 13; anything else is the desktop
// directory) or, when given, directly by CSIDL. Shell folders get a trailing
// backslash; the temporary folder (code 11) comes as Windows reports it.
ByteBuffer GetSpecialFolder(int typeCode, std::optional<int> csidl = std::nullopt);

// Converts UTF-16 bytes up to their first zero unit (or all of them when
// there is none); no code page means the system ANSI code page.
std::string WideBytesToText(const ByteBuffer& wide, std::optional<unsigned> codePage = std::nullopt);

// The folder as text in TextCodePage; with no argument, the current user's
// desktop directory with one trailing backslash.
std::string GetDesktopDirectory(std::optional<int> typeCode = std::nullopt,
                                std::optional<int> csidl = std::nullopt);
