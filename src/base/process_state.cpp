#include "base/process_state.h"

int TextCodePage = 0;
