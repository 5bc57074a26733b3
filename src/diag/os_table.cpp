#include "diag/os_table.h"

namespace {

constexpr std::uint32_t k9xMarker = 0x00530000;

constexpr const char* kOsNameTable[10] = {
    "未知", "Win95", "Win98", "WinME", "WinNT", "Win2000", "WinXP", "Win2003", "Vista", "Win7"};

}  // namespace

int OsCodeFor(const OsFacts& facts)
{
    if (!facts.ntFamily) {
        if (facts.tebWord58 == k9xMarker) return 1;
        if (facts.tebWord54 == k9xMarker) return 2;
        if (facts.tebWord7C == k9xMarker) return 3;
        return 0;
    }
    if (facts.major <= 4) return 4;
    if (facts.major == 5) {
        switch (facts.minor) {
        case 0: return 5;
        case 1: return 6;
        case 2: return 7;
        default: return 0;
        }
    }
    if (facts.major == 6) {
        switch (facts.minor) {
        case 0: return 8;
        case 1: return 9;
        default: return 0;
        }
    }
    return 0;
}

std::string OsNameFor(int code)
{
    if (code < 0 || code > 9) code = 0;
    return kOsNameTable[code];
}
