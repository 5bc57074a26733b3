#include "base/exit_routines.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// A fixed list: registering must work even when memory has run out.
std::array<ExitRoutine, 16> g_routines{};
std::size_t g_count = 0;

}  // namespace

void RegisterExitRoutine(ExitRoutine routine)
{
    auto end = g_routines.begin() + g_count;
    if (routine == nullptr || std::find(g_routines.begin(), end, routine) != end) return;
    if (g_count < g_routines.size()) g_routines[g_count++] = routine;
}

void ClearExitRoutines() { g_count = 0; }

void EndProgram(int exitCode)
{
    // A routine may itself end the program; each runs at most once.
    while (g_count > 0) {
        ExitRoutine first = g_routines[0];
        std::move(g_routines.begin() + 1, g_routines.begin() + g_count, g_routines.begin());
        --g_count;
        first();
    }
    ReleasePlatform();
    TerminateProgram(exitCode);
}
