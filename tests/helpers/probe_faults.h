// The run-time faults the probes raise by name, through the product's own
// checks: an array index below 1 or above the count, an allocation that
// fails and a routine that cannot be bound.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "base/bound_routine.h"
#include "base/routine_ids.h"
#include "base/text_array.h"

// Raises the fault of that kind; returns for any other kind.
inline void RaiseFaultOfKind(const std::string& kind)
{
    TextArray names({"only"});
    if (kind == "index-low") names.At(0, kRoutineTestHelper);
    if (kind == "index-high") names.At(2, kRoutineTestHelper);
    if (kind == "alloc") {
        volatile std::size_t huge = 0x7FFFFFF0;
        char* p = new char[huge];
        std::memset(p, 1, 16);
    }
    if (kind == "bind") {
        BoundRoutine<int(WINAPI*)(int)> missing{"shell32.dll", "NoSuchRoutine"};
        missing(1);
    }
}
