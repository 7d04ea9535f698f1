#pragma once

#include <windows.h>

#include <stdexcept>

namespace velmora::win32
{

// A function of a system DLL that is loaded at its first use rather than at start-up: comdlg32
// and shell32 drag in a dozen DLLs, about 100 ms of start-up under Wine for the Open dialog
// alone. The DLL comes from the system folder only and stays loaded until the process ends.
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
