// Routines of system libraries bound by name at their first call.
//
// The library is loaded with LoadLibraryA and stays loaded until the program
// ends; a library that cannot be loaded, or that does not export the routine,
// is a run-time fault naming both.
#pragma once

#include <windows.h>

// The routine's address; raises the fault when it cannot be bound.
FARPROC BindRoutine(const char* library, const char* routine);

// Unloads every library BindRoutine loaded. Only the program's end calls it.
void UnloadBoundLibraries();

template <typename Signature>
class BoundRoutine;

template <typename Result, typename... Args>
class BoundRoutine<Result(WINAPI*)(Args...)> {
public:
    constexpr BoundRoutine(const char* library, const char* routine)
        : library_(library), routine_(routine)
    {
    }

    Result operator()(Args... args)
    {
        if (address_ == nullptr) {
            address_ = reinterpret_cast<Result(WINAPI*)(Args...)>(
                reinterpret_cast<void*>(BindRoutine(library_, routine_)));
        }
        return address_(args...);
    }

private:
    const char* library_;
    const char* routine_;
    Result(WINAPI* address_)(Args...) = nullptr;
};
