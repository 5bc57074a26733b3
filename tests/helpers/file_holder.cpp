// Holds a file open with no sharing at all, as another program might, until
// told to stop.  file_holder <file> <ready file> <stop file> [timeout ms]
// Writes the ready file once the file is held, then waits for the stop file
// to appear. Exit code 0 when stopped, 1 when the file could not be opened,
// 2 when no stop came in time.
#include <windows.h>

#include <cstdlib>

#include "base/win_handles.h"
#include "helper_files.h"

int main(int argc, char** argv)
{
    if (argc < 4) return 3;
    const DWORD timeout = argc > 4 ? static_cast<DWORD>(std::atoi(argv[4])) : 60000;
    UniqueHandle held(::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held) return 1;
    if (!WriteTextFile(argv[2], "held\r\n", FileMode::Replace)) return 1;

    const DWORD start = ::GetTickCount();
    while (::GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES) {
        if (::GetTickCount() - start > timeout) return 2;
        ::Sleep(20);
    }
    return 0;
}
