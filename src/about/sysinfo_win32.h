#pragma once

#include "about/sysinfo.h"
#include "registry/registry_reader_win32.h"

namespace velmora::win32
{

/// Program files on this machine: the existence test and the start of a process.
class Win32ProgramLauncher : public ProgramLauncher
{
public:
    bool FileExists(std::string_view path) override;
    void StartProgram(std::string_view path, int windowMode) override;
};

} // namespace velmora::win32
