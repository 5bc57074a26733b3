// Holds a file as another program might, until told to stop: open with no
// sharing at all, or ("lock-all") open shared for reading and writing with
// every byte of it locked.
//   file_holder <file> <ready file> <stop file> [timeout ms] [lock-all]
// Writes the ready file once the file is held, then waits for the stop file
// to appear. Exit code 0 when stopped, 1 when the file could not be held,
// 2 when no stop came in time.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "base/win_handles.h"
#include "helper_files.h"

int main(int argc, char** argv)
{
    if (argc < 4) return 3;
    const DWORD timeout = argc > 4 ? static_cast<DWORD>(std::atoi(argv[4])) : 60000;
    const bool lockAll = argc > 5 && std::strcmp(argv[5], "lock-all") == 0;
    UniqueHandle held(::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE,
                                    lockAll ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) return 1;
    OVERLAPPED whole = {};
    if (lockAll &&
        !::LockFileEx(held.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                      MAXDWORD, MAXDWORD, &whole)) {
        return 1;
    }
    if (!WriteTextFile(argv[2], "held\r\n", FileMode::Replace)) return 1;

    const DWORD start = ::GetTickCount();
    int result = 0;
    while (::GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - start > timeout) {
            result = 2;
            break;
        }
        ::Sleep(20);
    }
    if (lockAll) ::UnlockFileEx(held.Get(), 0, MAXDWORD, MAXDWORD, &whole);
    return result;
}
