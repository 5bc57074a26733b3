#include "base/text.h"

namespace text {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A match starts on a character boundary of the text (the caller's scan
// guarantees that), compares bytes, folds case only in single-byte
// characters, and must end on a boundary too: a needle whose last byte is a
// lead byte would otherwise take half of the text's next character.
bool MatchesAt(std::string_view s, std::size_t pos, std::string_view needle, Case rule)
{
    if (s.size() - pos < needle.size()) return false;
    std::size_t i = 0;
    while (i < needle.size()) {
        std::size_t len = CharLength(needle, i);
        if (len == 2) {
            if (s[pos + i] != needle[i] || s[pos + i + 1] != needle[i + 1]) return false;
        } else {
            char a = s[pos + i], b = needle[i];
            if (rule == Case::IgnoreAscii) { a = FoldAscii(a); b = FoldAscii(b); }
            if (a != b) return false;
            if (IsLeadByte(b) && pos + i + 1 < s.size()) return false;
        }
        i += len;
    }
    return true;
}

// A separator is a character of its own: a byte that merely starts a
// two-byte character is no separator, even when it has the separator's value.
bool IsSeparatorAt(std::string_view s, std::size_t pos, char separator)
{
    return s[pos] == separator && CharLength(s, pos) == 1;
}

}  // namespace

std::size_t Find(std::string_view haystack, std::string_view needle, std::size_t from, Case rule)
{
    if (needle.empty()) return std::string_view::npos;
    // Walk character by character from the start, so that `from` is honoured
    // only on a boundary the scan itself reaches.
    for (std::size_t pos = 0; pos < haystack.size(); pos += CharLength(haystack, pos)) {
        if (pos >= from && MatchesAt(haystack, pos, needle, rule)) return pos;
    }
    return std::string_view::npos;
}

std::string ReplaceAll(std::string_view s, std::string_view find, std::string_view with, Case rule)
{
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        if (!find.empty() && MatchesAt(s, pos, find, rule)) {
            out += with;
            pos += find.size();
            continue;
        }
        std::size_t len = CharLength(s, pos);
        out.append(s.substr(pos, len));
        pos += len;
    }
    return out;
}

std::vector<std::string> SplitParts(std::string_view s, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += CharLength(s, pos)) {
        if (IsSeparatorAt(s, pos, separator)) {
            parts.emplace_back(s.substr(start, pos - start));
            start = pos + 1;
        }
    }
    if (start < s.size()) parts.emplace_back(s.substr(start));
    return parts;
}

std::size_t FindLast(std::string_view s, char separator)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t pos = 0; pos < s.size(); pos += CharLength(s, pos)) {
        if (IsSeparatorAt(s, pos, separator)) last = pos;
    }
    return last;
}

}  // namespace text
