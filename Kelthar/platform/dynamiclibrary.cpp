#include "dynamiclibrary.h"

#include <dlfcn.h>

namespace kplatform
{
namespace
{
std::string TakeDlError(const std::string& fallback)
{
    const char* text = dlerror();
    return text ? std::string(text) : fallback;
}
}  // namespace

CDynamicLibrary::~CDynamicLibrary()
{
    Unload();
}

bool CDynamicLibrary::Load(const std::string& nameOrPath)
{
    Unload();
    if (nameOrPath.empty())
    {
        m_lastError = "empty library name";
        return false;
    }
    dlerror();
    m_handle = dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    m_lastError = m_handle ? std::string() : TakeDlError("cannot load " + nameOrPath);
    return m_handle != nullptr;
}

void CDynamicLibrary::Unload()
{
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
}

void* CDynamicLibrary::Symbol(const char* name) const
{
    if (!m_handle || !name)
    {
        m_lastError = m_handle ? "no symbol name" : "library not loaded";
        return nullptr;
    }
    dlerror();
    void* address = dlsym(m_handle, name);
    m_lastError = address ? std::string() : TakeDlError(std::string("symbol not found: ") + name);
    return address;
}
}  // namespace kplatform
