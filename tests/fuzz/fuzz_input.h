// What every fuzz target shares: a reader that cuts the fuzzer's bytes into
// fields, the character boundaries of a text worked out on their own, and a
// check that stops the run with a message when a stated property fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Fields are a length byte followed by that many bytes (fewer when the input
// runs out); Rest() is whatever is left. Every byte value can appear in a
// field, the 0x5C trail bytes and lone lead bytes the routines must handle
// among them.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    std::uint8_t Byte()
    {
        if (pos_ >= size_) return 0;
        return static_cast<std::uint8_t>(data_[pos_++]);
    }

    int Int16()
    {
        int high = Byte();
        return static_cast<std::int16_t>(high << 8 | Byte());
    }

    std::string_view Field()
    {
        std::size_t length = Byte();
        if (length > size_ - pos_) length = size_ - pos_;
        std::string_view field(data_ + pos_, length);
        pos_ += length;
        return field;
    }

    std::string_view Rest()
    {
        std::string_view rest(data_ + pos_, size_ - pos_);
        pos_ = size_;
        return rest;
    }

private:
    const char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// boundary[i] is true where a character starts; boundary[size] is true too.
// A byte of 0x80 or above with a byte after it starts a two-byte character;
// at the very end it is a character of its own.
inline std::vector<bool> CharacterStarts(std::string_view s)
{
    std::vector<bool> boundary(s.size() + 1, false);
    std::size_t i = 0;
    while (i < s.size()) {
        boundary[i] = true;
        const bool lead = static_cast<unsigned char>(s[i]) >= 0x80;
        i += (lead && i + 1 < s.size()) ? 2 : 1;
    }
    boundary[s.size()] = true;
    return boundary;
}

inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

[[noreturn]] inline void Fail(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, what);
    std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) ::fuzz::Fail(#condition, __FILE__, __LINE__); \
    } while (0)
