#pragma once

#include "common/runtime_failure.h"

#include <windows.h>

namespace velmora::win32
{

// Access refused means 75 (path/file access) for a file but 70 (permission denied) for the registry.
enum class FailureSource
{
    File,
    Registry,
    Window,
};

/// The run-time failure that stands for a Win32 error code: the one mapping of the program.
RuntimeFailure FailureFromWin32(DWORD error, FailureSource source);

/// Throws the failure for GetLastError().
[[noreturn]] void ThrowLastError(FailureSource source);

} // namespace velmora::win32
