// The run-time fault mechanism: a fault always ends the process with -1.
//
// A fault carries a code, a message, a routine number and a position. Before
// the process ends, the one registered handler gets the code and the fault
// text; when nothing handled it, the mechanism shows a box of its own.
#pragma once

#include <source_location>
#include <string>
#include <string_view>

#include "base/fault_text.h"

// Returns non-zero when it has reported the fault. `faultText` is valid only
// during the call and may be null.
using RuntimeErrorHandler = int (*)(int code, const char* faultText);

void SetRuntimeErrorHandler(RuntimeErrorHandler handler);

[[noreturn]] void RaiseRuntimeError(int code, std::string_view message, int routine, int position);

// A fault whose message comes from its code (array index faults). The
// position is the source line of the caller.
[[noreturn]] void RaiseRuntimeError(int code, int routine,
                                    std::source_location where = std::source_location::current());

// A fault of the platform layer with its own text: code 0, routine 0, position 0.
[[noreturn]] void RaisePlatformFault(std::string_view message);

[[noreturn]] void RaiseWindowFault(int windowId, std::string_view windowName);

// Platform services the mechanism needs; each build supplies them.
void ShowMechanismFaultBox(const std::string& text);
