// Every allocation of the program goes through here, so that memory running
// out is a run-time fault with the size that was asked for, never a crash.
#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/exit_routines.h"
#include "base/fault.h"

namespace {

bool g_reportingFailure = false;

void* Allocate(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p != nullptr) return p;
    // Reporting needs a little memory itself; if that fails too there is
    // nothing left to report with.
    if (g_reportingFailure) TerminateProgram(-1);
    g_reportingFailure = true;
    char message[64];
    std::snprintf(message, sizeof message, "分配 %zu 字节内存失败!", size);
    RaisePlatformFault(message);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
