// Numbers that name the program's routines in fault texts, so that a crash
// report points at the routine it came from. Platform faults use 0.
#pragma once

enum RoutineId : int {
    kRoutinePlatform = 0,
    kRoutineProgramMain = 11,
    kRoutineRunShortcutJob = 12,
    kRoutineProbeCandidate = 13,
    kRoutineWriteShortcut = 22,
    kRoutineWriteLog = 31,
    kRoutineReportRuntimeError = 33,
    // Routines of the test helpers.
    kRoutineTestHelper = 90,
};
