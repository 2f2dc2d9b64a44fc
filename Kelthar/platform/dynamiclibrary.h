#pragma once

#include <string>

#include "platformexport.h"

namespace kplatform
{
// A shared object loaded at run time, such as a vendor driver that may not be installed.
class KPLATFORM_API CDynamicLibrary
{
public:
    CDynamicLibrary() = default;
    ~CDynamicLibrary();
    CDynamicLibrary(const CDynamicLibrary&) = delete;
    CDynamicLibrary& operator=(const CDynamicLibrary&) = delete;

    // A bare name is searched the way the dynamic linker searches; a name with a slash is a path.
    // A library loaded before is unloaded first. Symbols resolve at once and stay private to it.
    bool Load(const std::string& nameOrPath);
    void Unload();
    bool IsLoaded() const { return m_handle != nullptr; }
    // nullptr when the library is not loaded or has no such symbol.
    void* Symbol(const char* name) const;
    // Why the last Load or Symbol failed; empty after a success.
    std::string LastError() const { return m_lastError; }

private:
    void* m_handle = nullptr;
    mutable std::string m_lastError;
};
}  // namespace kplatform
