// Raises one run-time fault after the product's own start-up, so that the
// crash reporter handles it as it would in Restore.exe.
//   report_probe <kind> [job]
// kind: index-low, index-high, alloc, bind (raised once the handler is in);
//       before-handler (an index fault before the handler is installed);
//       in-handler (an index fault whose report cannot be made: the reporter
//       itself runs out of memory; always with the job's logging).
// "job" switches to the job's logging first (extended header, run directory)
// as the job does at its start; without it the start-up options stay.
// The probe leaves its process id in report_probe.pid.txt, and an exit
// routine that leaves exit-routine.txt if it ever runs.
#include <windows.h>

#include <string>

#include "app/startup.h"
#include "base/exit_routines.h"
#include "base/fault.h"
#include "base/program_path.h"
#include "diag/log_writer.h"
#include "helper_files.h"
#include "probe_faults.h"

namespace {

std::string Beside(const char* name) { return CurrentProgramPath().runDirectory + "\\" + name; }

void MarkExitRoutine() { WriteTextFile(Beside("exit-routine.txt"), "ran\r\n", FileMode::Append); }

// Takes the whole free address space, largest stretches first, down to the
// allocation granularity. What the heap already holds stays usable, so the
// small texts of a fault can still be made; a block the size of the
// executable cannot. (Under Wine, holes of a few hundred KiB left free made
// the message box hang once shown; with none left it works.)
void ReserveAddressSpace()
{
    for (SIZE_T chunk = SIZE_T(1) << 30; chunk >= 64 * 1024; chunk /= 2) {
        while (::VirtualAlloc(nullptr, chunk, MEM_RESERVE, PAGE_NOACCESS) != nullptr) {
        }
    }
}

[[noreturn]] void RaiseFault(const std::string& kind)
{
    RaiseFaultOfKind(kind);
    // An unknown kind: say so through the same mechanism.
    RaisePlatformFault("report_probe: unknown kind " + kind);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string kind = argc > 1 ? argv[1] : "";
    const bool jobLogging = (argc > 2 && std::string(argv[2]) == "job") || kind == "in-handler";

    StartPlatform();
    RegisterExitRoutine(MarkExitRoutine);
    WriteTextFile(Beside("report_probe.pid.txt"), std::to_string(::GetCurrentProcessId()),
                  FileMode::Replace);
    InitTextCodePage();
    if (kind == "before-handler") RaiseFault("index-low");
    InitDiagnostics();

    if (jobLogging) {
        SetLogOptions();
        EnableLogging();
    }
    if (kind == "in-handler") {
        // Nothing has been logged yet, so the report's header still has to
        // read the whole executable for its digest: that allocation fails.
        ReserveAddressSpace();
        RaiseFault("index-high");
    }
    RaiseFault(kind);
}
