// Byte-string helpers for texts in a double-byte ANSI code page.
//
// Every text of the program is a byte string in the process's ANSI code page
// (936 for the texts the program holds itself). A byte of 0x80 or above starts
// a two-byte character: searches never match inside one, splits never cut one,
// and a lead byte at the very end of a text is taken as a character of its own
// so that nothing reads past the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace text {

constexpr bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Bytes of the character that starts at pos: 2 for a lead byte with a byte
// after it, else 1.
inline std::size_t CharLength(std::string_view s, std::size_t pos)
{
    return (IsLeadByte(s[pos]) && pos + 1 < s.size()) ? 2 : 1;
}

enum class Case { Exact, IgnoreAscii };

// First position at or after `from` where `needle` starts on a character
// boundary, or npos. An empty needle is never found.
std::size_t Find(std::string_view haystack, std::string_view needle, std::size_t from = 0,
                 Case rule = Case::Exact);

inline bool Contains(std::string_view haystack, std::string_view needle, Case rule = Case::Exact)
{
    return Find(haystack, needle, 0, rule) != std::string_view::npos;
}

// Every occurrence of `find` replaced by `with`, left to right, without overlap.
std::string ReplaceAll(std::string_view s, std::string_view find, std::string_view with,
                       Case rule = Case::Exact);

// Splits at each separator met as a character of its own (a separator
// with a lead byte's value that starts a two-byte character is none). Every separator
// ends a part, so leading or doubled separators give empty parts; what follows
// the last separator is a part only when it is not empty.
std::vector<std::string> SplitParts(std::string_view s, char separator);

// Position of the last separator that is a character of its own, or npos.
std::size_t FindLast(std::string_view s, char separator);

// The text's last character is that byte, not the second half of a
// two-byte character.
inline bool EndsWithCharacter(std::string_view s, char c)
{
    return !s.empty() && FindLast(s, c) == s.size() - 1;
}

}  // namespace text
