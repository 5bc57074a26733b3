#include "app/profile_text.h"

#include <cstring>

std::string_view SkipLeadingBlanks(std::string_view s)
{
    std::size_t start = 0;
    while (start < s.size() && static_cast<unsigned char>(s[start]) >= 0x01 &&
           static_cast<unsigned char>(s[start]) <= 0x20) {
        ++start;
    }
    return s.substr(start);
}

std::vector<std::string> SplitNulList(const char* data, std::size_t size)
{
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < size && data[pos] != '\0') {
        const void* nul = std::memchr(data + pos, '\0', size - pos);
        const std::size_t end = nul ? static_cast<const char*>(nul) - data : size;
        names.emplace_back(data + pos, end - pos);
        pos = end + 1;
    }
    return names;
}

std::vector<std::string> DropCutName(std::vector<std::string> names, std::size_t size)
{
    std::size_t used = 0;
    for (const std::string& name : names) used += name.size() + 1;
    if (!names.empty() && used + 1 >= size) names.pop_back();
    return names;
}
