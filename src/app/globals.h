// The process-wide state of the program: it lives from start-up to the end.
#pragma once

#include <string>

#include "base/text_array.h"

extern TextArray SectionNames;   // the sections of config.ini, in file order
extern std::string ConfigPath;   // <run directory>\config.ini

// The exit routine: releases the process-wide texts and arrays.
void ReleaseGlobals();
