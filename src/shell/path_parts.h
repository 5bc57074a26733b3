// Splitting paths by characters, for the parts of a shortcut that come from
// its target.
#pragma once

#include <string>
#include <string_view>

// Every part of the path but the last, each followed by a backslash; empty
// when the path has fewer than two parts (no backslash, or nothing but one
// trailing part). D:\Apps\Tool\tool.exe gives D:\Apps\Tool\ and D:\tool.exe
// gives D:\.
std::string ParentDirectoryOf(std::string_view path);
