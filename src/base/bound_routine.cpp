#include "base/bound_routine.h"

#include <array>
#include <cstring>
#include <string>

#include "base/fault.h"
#include "base/win_handles.h"

namespace {

struct LoadedLibrary {
    const char* name = nullptr;
    Library handle;
};

// The program binds a handful of routines from two or three libraries.
std::array<LoadedLibrary, 8> g_libraries;

HMODULE LibraryFor(const char* name)
{
    for (LoadedLibrary& entry : g_libraries) {
        if (entry.name != nullptr && std::strcmp(entry.name, name) == 0) return entry.handle.Get();
    }
    Library handle(::LoadLibraryA(name));
    if (!handle) return nullptr;
    for (LoadedLibrary& entry : g_libraries) {
        if (entry.name == nullptr) {
            entry.name = name;
            entry.handle = std::move(handle);
            return entry.handle.Get();
        }
    }
    // More libraries than the table holds: keep the reference until the end.
    return handle.Detach();
}

}  // namespace

FARPROC BindRoutine(const char* library, const char* routine)
{
    HMODULE module = LibraryFor(library);
    FARPROC address = module != nullptr ? ::GetProcAddress(module, routine) : nullptr;
    if (address == nullptr) {
        // "无法找到指定DLL库文件“%s”中的输出命令“%s”" with the library, then the routine.
        std::string message = "无法找到指定DLL库文件“";
        message += library;
        message += "”中的输出命令“";
        message += routine;
        message += "”";
        RaisePlatformFault(message);
    }
    return address;
}

void UnloadBoundLibraries()
{
    for (LoadedLibrary& entry : g_libraries) {
        entry.handle.Reset();
        entry.name = nullptr;
    }
}
