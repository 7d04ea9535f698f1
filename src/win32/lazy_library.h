#pragma once

#include <windows.h>

#include <stdexcept>

namespace velmora::win32
{

// A system DLL's function, loaded from system32 at its first use and kept: at start-up, slow under Wine.
template <class Function>
Function LoadSystemFunction(const wchar_t* dll, const char* name)
{
    const HMODULE module = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC function = module ? ::GetProcAddress(module, name) : nullptr;
    if (!function)
        throw std::runtime_error(std::string("cannot load ") + name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(function));
}

} // namespace velmora::win32
