#include "base/program_path.h"

#include "base/text.h"

namespace {

ProgramPath g_current;

}  // namespace

ProgramPath SplitProgramPath(std::string_view fullPath)
{
    std::size_t slash = text::FindLast(fullPath, '\\');
    if (slash == std::string_view::npos) return {"", std::string(fullPath)};
    return {std::string(fullPath.substr(0, slash)), std::string(fullPath.substr(slash + 1))};
}

const ProgramPath& CurrentProgramPath() { return g_current; }

void SetCurrentProgramPath(ProgramPath path) { g_current = std::move(path); }

std::string CurrentExecutablePath()
{
    return g_current.runDirectory + "\\" + g_current.executableName;
}
