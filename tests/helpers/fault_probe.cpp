// Raises one run-time fault of the kind named on the command line, through
// the same mechanism the product uses.  fault_probe <kind>
// An exit routine is registered first; it leaves exit-routine.txt beside the
// program if it ever runs. The test handler (kinds "handled", "declined",
// "in-handler") leaves handler.txt with the code and fault text it got.
#include <windows.h>

#include <string>

#include "base/exit_routines.h"
#include "base/fault.h"
#include "base/platform_win.h"
#include "base/program_path.h"
#include "base/routine_ids.h"
#include "base/text_array.h"
#include "helper_files.h"
#include "probe_faults.h"

namespace {

void WriteBeside(const char* name, const std::string& content)
{
    const std::string path = CurrentProgramPath().runDirectory + "\\" + name;
    WriteTextFile(path, content, FileMode::Append);
}

void MarkExitRoutine() { WriteBeside("exit-routine.txt", "ran\r\n"); }

int RecordingHandler(int code, const char* faultText, int result)
{
    WriteBeside("handler.txt", std::to_string(code) + "\r\n" + (faultText ? faultText : ""));
    return result;
}

int Reporting(int code, const char* faultText) { return RecordingHandler(code, faultText, 1); }
int Declining(int code, const char* faultText) { return RecordingHandler(code, faultText, 0); }
int Faulting(int code, const char* faultText)
{
    RecordingHandler(code, faultText, 1);
    TextArray none;
    none.At(0, kRoutineTestHelper);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    RecordProgramPath();
    StartOle();
    RegisterExitRoutine(MarkExitRoutine);
    const std::string kind = argc > 1 ? argv[1] : "";

    if (kind == "handled" || kind == "index-low" || kind == "index-high" || kind == "alloc" ||
        kind == "bind") {
        SetRuntimeErrorHandler(Reporting);
    } else if (kind == "declined") {
        SetRuntimeErrorHandler(Declining);
    } else if (kind == "in-handler") {
        SetRuntimeErrorHandler(Faulting);
    }

    RaiseFaultOfKind(kind);
    RaisePlatformFault("probe fault: " + kind);
}
