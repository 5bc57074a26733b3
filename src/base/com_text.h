// Texts crossing into and out of COM, in the system ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/win_handles.h"

std::wstring TextToWide(std::string_view text, UINT codePage = CP_ACP);

// An empty text becomes an allocated empty BSTR, never a null one: COM treats
// the two alike, and some automation servers crash on a null string.
Bstr TextToBstr(std::string_view text);

// Converts up to the first zero unit; a code page that cannot convert gives
// empty text.
std::string WideToText(const wchar_t* wide, UINT codePage = CP_ACP);
