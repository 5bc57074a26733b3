// Command-line texts of the helper programs.
//
// Wine turns the Unix command line into UTF-16 by the Unix locale, and a
// test machine may lack the Chinese one, so non-ASCII texts would arrive
// mangled. Tests therefore pass such a text as "hex:" followed by its bytes
// in the ANSI code page, two hexadecimal digits each.
#pragma once

#include <string>
#include <string_view>

inline std::string ArgText(std::string_view arg)
{
    constexpr std::string_view kPrefix = "hex:";
    if (arg.substr(0, kPrefix.size()) != kPrefix) return std::string(arg);
    auto digit = [](char c) {
        return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    };
    std::string bytes;
    for (std::size_t i = kPrefix.size(); i + 1 < arg.size(); i += 2) {
        bytes += static_cast<char>(digit(arg[i]) << 4 | digit(arg[i + 1]));
    }
    return bytes;
}
