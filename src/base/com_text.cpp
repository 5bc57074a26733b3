#include "base/com_text.h"

#include <oleauto.h>

#include <vector>

std::wstring TextToWide(std::string_view text, UINT codePage)
{
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    int units = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), units);
    return wide;
}

Bstr TextToBstr(std::string_view text)
{
    std::wstring wide = TextToWide(text);
    return Bstr(::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
}

std::string WideToText(const wchar_t* wide, UINT codePage)
{
    if (wide == nullptr || wide[0] == L'\0') return {};
    int size = ::WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::vector<char> buffer(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, wide, -1, buffer.data(), size, nullptr, nullptr);
    return std::string(buffer.data());
}
