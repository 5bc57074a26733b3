#include "base/fault.h"

#include "base/exit_routines.h"

namespace {

RuntimeErrorHandler g_handler = nullptr;
bool g_handlerRunning = false;

}  // namespace

void SetRuntimeErrorHandler(RuntimeErrorHandler handler) { g_handler = handler; }

namespace {

[[noreturn]] void RaiseWithFaultText(int code, const std::string& faultText)
{
    bool reported = false;
    // A fault raised while the handler runs must not re-enter it: the
    // mechanism's own box reports that second fault instead.
    if (g_handler != nullptr && !g_handlerRunning) {
        g_handlerRunning = true;
        reported = g_handler(code, faultText.c_str()) != 0;
        g_handlerRunning = false;
    }
    if (!reported) ShowMechanismFaultBox(ComposeMechanismBoxText(code, faultText));
    ClearExitRoutines();
    EndProgram(-1);
}

}  // namespace

void RaiseRuntimeError(int code, std::string_view message, int routine, int position)
{
    RaiseWithFaultText(code, ComposeFaultText(message, routine, position));
}

void RaiseWindowFault(int windowId, std::string_view windowName)
{
    RaiseWithFaultText(kFaultOwnText, ComposeWindowFaultText(windowId, windowName));
}

void RaiseRuntimeError(int code, int routine, std::source_location where)
{
    RaiseRuntimeError(code, FaultMessage(code), routine, static_cast<int>(where.line()));
}

void RaisePlatformFault(std::string_view message) { RaiseRuntimeError(kFaultOwnText, message, 0, 0); }
