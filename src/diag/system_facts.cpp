#include "diag/system_facts.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/automation.h"
#include "base/win_handles.h"
#include "diag/md5.h"
#include "diag/os_table.h"

namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > 0x7FFFFFFF) {
        return {};
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(data.size() - done);
        if (!::ReadFile(file.Get(), data.data() + done, want, &got, nullptr) || got == 0) return {};
        done += got;
    }
    return data;
}

// The 32-bit thread information block holds the process environment block
// pointer at 0x30; the PEB holds the version the system reports to the
// process at 0xA4 (major) and 0xA8 (minor).
// (Read with plain assembly: the compiler's fs intrinsic trips its own
// array-bounds check.)
std::uint32_t TebWord(std::uint32_t offset)
{
    std::uint32_t value;
    asm volatile("movl %%fs:(%1), %0" : "=r"(value) : "r"(offset));
    return value;
}

OsFacts ReadOsFacts()
{
    OsFacts facts;
    const std::uint32_t peb = TebWord(0x30);
    facts.ntFamily = static_cast<std::int32_t>(peb) >= 0;
    if (facts.ntFamily) {
        const auto* block = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(peb));
        std::memcpy(&facts.major, block + 0xA4, sizeof facts.major);
        std::memcpy(&facts.minor, block + 0xA8, sizeof facts.minor);
    } else {
        facts.tebWord58 = TebWord(0x58);
        facts.tebWord54 = TebWord(0x54);
        facts.tebWord7C = TebWord(0x7C);
    }
    return facts;
}

}  // namespace

std::string QueryFileVersion(const std::string& path)
{
    AutomationObject fileSystem;
    if (!fileSystem.CreateFromProgId("Scripting.FileSystemObject")) return {};
    std::string version = fileSystem.CallMethodForText("GetFileVersion", {path});
    fileSystem.Release();
    return version;
}

std::string Md5Prefix(const std::string& path) { return Md5PrefixOf(ReadWholeFile(path)); }

bool IsWow64()
{
    char directory[256];
    std::memset(directory, ' ', sizeof directory - 1);
    directory[sizeof directory - 1] = '\0';
    UINT n = ::GetSystemDirectoryA(directory, sizeof directory);

    Library kernel;
    if (n > 0) kernel.Reset(::LoadLibraryA((std::string(directory) + "\\kernel32.dll").c_str()));
    if (!kernel) kernel.Reset(::LoadLibraryA("kernel32.dll"));
    if (!kernel) return false;

    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(::GetProcAddress(kernel.Get(), "IsWow64Process")));
    BOOL flag = FALSE;
    if (isWow64Process != nullptr && !isWow64Process(::GetCurrentProcess(), &flag)) return false;
    return flag != FALSE;
}

int GetOsCode() { return OsCodeFor(ReadOsFacts()); }

std::string GetOsName() { return OsNameFor(GetOsCode()); }
