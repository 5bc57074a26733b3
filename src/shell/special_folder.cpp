#include "shell/special_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "base/com_text.h"
#include "base/process_state.h"
#include "base/shell_routines.h"

namespace {

constexpr int kTempFolderCode = 11;
constexpr int kMaxPathUnits = 260;

// Room for a full-length path, the backslash added to it and the terminator.
using PathBuffer = wchar_t[kMaxPathUnits + 2];

// The first units of `units` and one zero unit, as bytes.
ByteBuffer WidePathBytes(const wchar_t* units, std::size_t count)
{
    ByteBuffer bytes((count + 1) * sizeof(wchar_t), 0);
    std::memcpy(bytes.data(), units, count * sizeof(wchar_t));
    return bytes;
}

int CsidlForTypeCode(int typeCode)
{
    switch (typeCode) {
    case 1: return CSIDL_PERSONAL;
    case 2: return CSIDL_FAVORITES;
    case 4: return CSIDL_FONTS;
    case 5: return CSIDL_STARTMENU;
    case 6: return CSIDL_PROGRAMS;
    case 7: return CSIDL_STARTUP;
    case 8: return CSIDL_APPDATA;
    case 9: return CSIDL_WINDOWS;
    case 10: return CSIDL_SYSTEM;
    case 12: return CSIDL_INTERNET_CACHE;
    case 13: return CSIDL_COMMON_APPDATA;
    default: return CSIDL_DESKTOPDIRECTORY;
    }
}

ByteBuffer ShellFolder(int csidl)
{
    PathBuffer buffer = {};
    if (!bound::SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE)) return {};
    std::size_t n = static_cast<std::size_t>(::lstrlenW(buffer));
    if (n == 0) return {};
    if (buffer[n - 1] != L'\\') buffer[n++] = L'\\';
    return WidePathBytes(buffer, n);
}

ByteBuffer TempFolder()
{
    PathBuffer buffer = {};
    DWORD n = ::GetTempPathW(kMaxPathUnits, buffer);
    if (n == 0) return {};
    if (n < kMaxPathUnits) return WidePathBytes(buffer, n);
    // Too long for the buffer: the answer is the size needed, terminator
    // included. Ask again with that much room.
    std::wstring longer(n, L'\0');
    DWORD written = ::GetTempPathW(n, longer.data());
    if (written == 0 || written >= n) return {};
    return WidePathBytes(longer.data(), written);
}

}  // namespace

ByteBuffer GetSpecialFolder(int typeCode, std::optional<int> csidl)
{
    if (csidl) return ShellFolder(*csidl);
    if (typeCode == kTempFolderCode) return TempFolder();
    return ShellFolder(CsidlForTypeCode(typeCode));
}

std::string WideBytesToText(const ByteBuffer& wide, std::optional<unsigned> codePage)
{
    // Two zero bytes make sure a zero unit ends the string, and one more when
    // the input has an odd length keeps that unit whole.
    std::wstring units((wide.size() + 1) / 2 + 1, L'\0');
    std::memcpy(units.data(), wide.data(), wide.size());

    return WideToText(units.c_str(), codePage.value_or(CP_ACP));
}

std::string GetDesktopDirectory(std::optional<int> typeCode, std::optional<int> csidl)
{
    ByteBuffer path = csidl ? GetSpecialFolder(0, csidl) : GetSpecialFolder(typeCode.value_or(0));
    return WideBytesToText(path, static_cast<unsigned>(TextCodePage));
}
