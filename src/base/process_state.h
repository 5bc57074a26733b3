// Process-wide values that several subsystems read.
#pragma once

// The code page of texts made from the shell's UTF-16 paths. Start-up sets it
// once; nothing changes it afterwards.
extern int TextCodePage;
