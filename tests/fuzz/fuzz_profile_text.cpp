// Reading config.ini's name lists and values: what the profile calls hand
// back is raw bytes, so nothing may be assumed about them.
#include "app/profile_text.h"
#include "fuzz_input.h"

namespace {

bool IsBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x01 && byte <= 0x20;
}

void CheckSkipLeadingBlanks(std::string_view s)
{
    const std::string_view rest = SkipLeadingBlanks(s);
    FUZZ_CHECK(rest.size() <= s.size());
    FUZZ_CHECK(rest.data() == s.data() + (s.size() - rest.size()));
    for (std::size_t i = 0; i < s.size() - rest.size(); ++i) FUZZ_CHECK(IsBlankOrControl(s[i]));
    FUZZ_CHECK(rest.empty() || !IsBlankOrControl(rest[0]));
}

void CheckSplitNulList(std::string_view buffer)
{
    // Each name followed by its NUL gives the buffer back up to the first
    // empty name (a NUL right after a NUL, or at the start) or up to its end;
    // a last name that the buffer's end cuts off has no NUL after it.
    const std::vector<std::string> names = SplitNulList(buffer.data(), buffer.size());
    std::string joined;
    for (const std::string& name : names) {
        FUZZ_CHECK(!name.empty());
        FUZZ_CHECK(name.find('\0') == std::string::npos);
        joined += name;
        joined += '\0';
    }
    if (joined.size() > buffer.size()) {
        FUZZ_CHECK(joined.size() == buffer.size() + 1);
        joined.pop_back();
    } else if (joined.size() < buffer.size()) {
        FUZZ_CHECK(buffer[joined.size()] == '\0');
    }
    FUZZ_CHECK(buffer.compare(0, joined.size(), joined) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string buffer(reinterpret_cast<const char*>(data), size);
    CheckSplitNulList(buffer);
    CheckSkipLeadingBlanks(buffer);
    return 0;
}
