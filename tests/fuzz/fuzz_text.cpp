// The character-aware search, replace and split, each against a plain
// statement of its result worked out from the character boundaries alone.
#include <algorithm>

#include "base/text.h"
#include "fuzz_input.h"

namespace {

// A character of `length` bytes starts at pos.
bool IsCharacter(const std::vector<bool>& starts, std::size_t pos, std::size_t length)
{
    if (!starts[pos]) return false;
    for (std::size_t k = 1; k < length; ++k) {
        if (starts[pos + k]) return false;
    }
    return starts[pos + length];
}

bool SameIgnoringAsciiCase(char a, char b)
{
    if (!fuzz::IsAsciiLetter(a) || !fuzz::IsAsciiLetter(b)) return a == b;
    return (a | 0x20) == (b | 0x20);
}

// The needle lies at pos when pos and the end of the match are character
// boundaries of the text and every byte agrees; case is folded only in bytes
// that are single-byte characters of the needle, never in a trail byte.
bool LiesAt(std::string_view s, const std::vector<bool>& starts, std::size_t pos,
            std::string_view needle, text::Case rule)
{
    if (needle.empty() || pos + needle.size() > s.size()) return false;
    if (!starts[pos] || !starts[pos + needle.size()]) return false;
    const std::vector<bool> needleStarts = fuzz::CharacterStarts(needle);
    for (std::size_t k = 0; k < needle.size(); ++k) {
        const bool singleByte = needleStarts[k] && needleStarts[k + 1];
        const bool fold = rule == text::Case::IgnoreAscii && singleByte;
        if (fold ? !SameIgnoringAsciiCase(s[pos + k], needle[k]) : s[pos + k] != needle[k]) {
            return false;
        }
    }
    return true;
}

void CheckFind(std::string_view s, std::string_view needle, std::size_t from, text::Case rule)
{
    const std::vector<bool> starts = fuzz::CharacterStarts(s);
    std::size_t expected = std::string_view::npos;
    for (std::size_t pos = from; pos < s.size(); ++pos) {
        if (LiesAt(s, starts, pos, needle, rule)) {
            expected = pos;
            break;
        }
    }
    const std::size_t found = text::Find(s, needle, from, rule);
    FUZZ_CHECK(found == expected);
    FUZZ_CHECK(found == std::string_view::npos || starts[found]);
    FUZZ_CHECK(text::Contains(s, needle, rule) == (text::Find(s, needle, 0, rule) != std::string_view::npos));
}

void CheckReplaceAll(std::string_view s, std::string_view find, std::string_view with,
                     text::Case rule)
{
    const std::vector<bool> starts = fuzz::CharacterStarts(s);
    std::string expected;
    std::size_t replaced = 0;
    for (std::size_t pos = 0; pos < s.size();) {
        if (LiesAt(s, starts, pos, find, rule)) {
            expected += with;
            pos += find.size();
            ++replaced;
            continue;
        }
        std::size_t next = pos + 1;
        while (!starts[next]) ++next;
        expected.append(s.substr(pos, next - pos));
        pos = next;
    }
    const std::string out = text::ReplaceAll(s, find, with, rule);
    FUZZ_CHECK(out == expected);
    FUZZ_CHECK(out.size() == s.size() + replaced * with.size() - replaced * find.size());
    if (rule == text::Case::Exact) FUZZ_CHECK(text::ReplaceAll(s, find, find, rule) == s);
}

void CheckSplit(std::string_view s, char separator)
{
    const std::vector<bool> starts = fuzz::CharacterStarts(s);
    std::size_t last = std::string_view::npos;
    for (std::size_t pos = 0; pos < s.size(); ++pos) {
        if (IsCharacter(starts, pos, 1) && s[pos] == separator) last = pos;
    }
    FUZZ_CHECK(text::FindLast(s, separator) == last);
    FUZZ_CHECK(text::EndsWithCharacter(s, separator) == (!s.empty() && last == s.size() - 1));

    // Joined again with the separator, the parts give the text back; a
    // trailing separator ends the last part and leaves no empty part after it.
    const std::vector<std::string> parts = text::SplitParts(s, separator);
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) joined += separator;
        joined += parts[i];
    }
    if (!s.empty() && last == s.size() - 1) joined += separator;
    FUZZ_CHECK(joined == s);
    // No part holds the separator as a character of its own.
    for (const std::string& part : parts) {
        const std::vector<bool> partStarts = fuzz::CharacterStarts(part);
        for (std::size_t i = 0; i < part.size(); ++i) {
            FUZZ_CHECK(!(IsCharacter(partStarts, i, 1) && part[i] == separator));
        }
    }
}

}  // namespace

// Control byte: bit 0 chooses the case rule. Then `from`, the separator, the
// needle, the replacement and the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input input(data, size);
    const text::Case rule = (input.Byte() & 1) ? text::Case::IgnoreAscii : text::Case::Exact;
    const std::size_t from = input.Byte();
    const char separator = static_cast<char>(input.Byte());
    const std::string needle(input.Field());
    const std::string with(input.Field());
    const std::string s(input.Rest());

    CheckFind(s, needle, from, rule);
    CheckReplaceAll(s, needle, with, rule);
    CheckSplit(s, separator);
    CheckSplit(s, '\\');
    return 0;
}
