// The OS family table of crash reports: which Windows the process runs on, as
// far as the report cares (nothing after Windows 7 has a name of its own).
#pragma once

#include <cstdint>
#include <string>

struct OsFacts {
    bool ntFamily = true;
    // NT family: the version the system reports to this process.
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    // 9x family: thread information block words at 0x58, 0x54 and 0x7C.
    std::uint32_t tebWord58 = 0;
    std::uint32_t tebWord54 = 0;
    std::uint32_t tebWord7C = 0;
};

// 0 (unknown) to 9 (Windows 7).
int OsCodeFor(const OsFacts& facts);

// The table's name for a code; codes outside it read as unknown.
std::string OsNameFor(int code);
