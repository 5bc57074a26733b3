// Read-only questions about the running executable and the system. None of
// them fails loudly: a failure gives empty text, false or code 0.
#pragma once

#include <string>

// The version text the file-system automation object reports for the file.
// Needs COM on the calling thread.
std::string QueryFileVersion(const std::string& path);

// The first 10 upper-case hexadecimal digits of the MD5 of the whole file;
// a file that cannot be read counts as no data.
std::string Md5Prefix(const std::string& path);

// A 32-bit process on 64-bit Windows.
bool IsWow64();

// The OS family code (0 unknown, up to 9 for Windows 7) and its name.
int GetOsCode();
std::string GetOsName();
