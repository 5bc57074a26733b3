// The small rules for reading config.ini that need no Windows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The text without its leading blanks and control bytes (0x01 to 0x20).
std::string_view SkipLeadingBlanks(std::string_view s);

// Names packed one after another, each ended by a NUL, up to the first empty
// name or the end of the buffer, whichever comes first.
std::vector<std::string> SplitNulList(const char* data, std::size_t size);
