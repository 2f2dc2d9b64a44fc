#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platformexport.h"

namespace kplatform
{
// wchar_t holds one Unicode code point here (4 bytes), while files keep wide text as UTF-16LE.
// Every conversion is total: invalid UTF-8, lone surrogates, code points above U+10FFFF and an odd
// trailing byte each become U+FFFD. A surrogate pair inside a wide string is read as the one
// character it encodes.
KPLATFORM_API std::string WideToUtf8(const std::wstring& text);
KPLATFORM_API std::wstring Utf8ToWide(const std::string& text);
KPLATFORM_API std::vector<uint8_t> WideToUtf16Le(const std::wstring& text);
KPLATFORM_API std::wstring Utf16LeToWide(const uint8_t* data, size_t byteCount);
}  // namespace kplatform
