#pragma once

#include <string>

#include "platformexport.h"

namespace kplatform
{
// Removes a file (never a folder). False when the path is empty, names a folder or cannot be removed.
KPLATFORM_API bool DeleteFileUtf8(const std::string& path);
KPLATFORM_API bool DeleteFileWide(const std::wstring& path);
}  // namespace kplatform
