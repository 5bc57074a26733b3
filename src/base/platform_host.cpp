// The platform layer of the native build: the portable pieces and their tests
// run on Linux, where the mechanism's box goes to standard error.
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "base/exit_routines.h"
#include "base/fault.h"

void ShowMechanismFaultBox(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

void ReleasePlatform() {}

void TerminateProgram(int exitCode)
{
    std::fflush(nullptr);
    _exit(exitCode & 0xFF);
}
