// Waits for a message box of the given caption, writes its text to a file and
// presses OK.  boxcloser <caption> <text file> [timeout ms]
// Exit code 0 when a box was closed, 1 when none came in time.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "helper_files.h"

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    const char* caption = argv[1];
    const DWORD timeout = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 20000;
    const DWORD start = ::GetTickCount();

    HWND box = nullptr;
    while ((box = ::FindWindowA(nullptr, caption)) == nullptr) {
        if (::GetTickCount() - start > timeout) return 1;
        ::Sleep(50);
    }
    // The box's text control has the id 0xFFFF.
    char text[8192] = {};
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);

    WriteTextFile(argv[2], text, FileMode::Replace);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}
