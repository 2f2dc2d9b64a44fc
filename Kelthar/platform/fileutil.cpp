#include "fileutil.h"

#include <unistd.h>

#include "textcodec.h"

namespace kplatform
{
bool DeleteFileUtf8(const std::string& path)
{
    // unlink refuses folders, which keeps the file-only meaning of the call it stands for.
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

bool DeleteFileWide(const std::wstring& path)
{
    return DeleteFileUtf8(WideToUtf8(path));
}
}  // namespace kplatform
