// How the helper programs leave what they saw for the tests to read.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_handles.h"

enum class FileMode { Replace, Append };

// Writes the bytes of `text` to the file; false when it cannot.
inline bool WriteTextFile(const std::string& path, const std::string& text, FileMode mode)
{
    const bool append = mode == FileMode::Append;
    UniqueHandle file(::CreateFileA(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                    FILE_SHARE_READ, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                               nullptr) &&
           written == text.size();
}
