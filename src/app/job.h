// The whole work of a run: every section of config.ini beside the program
// becomes one desktop shortcut when one of its candidates is found.
#pragma once

#include <string>

// The eight values of one section of config.ini.
struct ShortcutEntry {
    std::string Name;
    std::string Path;
    std::string PathIcon;
    std::string PathAlt2;
    std::string PathAlt2Icon;
    std::string PathAlt3;
    std::string PathAlt3Icon;
    std::string Arguments;
};

// Logs beside the program with the extended header, reads config.ini, tries
// each section's candidates in order until one is found, refreshes the
// desktop and ends the program with exit code 0.
[[noreturn]] void RunShortcutJob();

// Tells the shell that associations changed and starts the per-user
// settings refresh, without waiting for it to finish.
void RefreshDesktop();
