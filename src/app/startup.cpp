#include "app/startup.h"

#include "base/process_state.h"

void InitTextCodePage() { TextCodePage = 936; }
