// Start-up of the process-wide state.
#pragma once

// TextCodePage = 936, the code page of the texts the program holds.
void InitTextCodePage();
