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

// The names of a section list that did not fit its buffer (the profile
// routine then answers the buffer's size less two): the routine fills the
// buffer to its end with the start of the next name, which names no section
// of the file, so the names run into the buffer's last two bytes only when
// the last of them is such a cut one. It goes; the whole names stay. (Names
// that fill the buffer exactly, to the byte, look the same and lose their
// last one too: the list had overflowed anyway.)
std::vector<std::string> DropCutName(std::vector<std::string> names, std::size_t size);
