#pragma once

#include "about/sysinfo.h"

namespace velmora::win32
{

/// Registry reads through the W functions; text values are handed on as UTF-8.
class Win32RegistryReader : public RegistryReader
{
public:
    std::unique_ptr<RegistryKey> OpenKey(std::uint32_t root, std::string_view path, std::uint32_t access) override;
};

/// Program files on this machine: the existence test and the start of a process.
class Win32ProgramLauncher : public ProgramLauncher
{
public:
    bool FileExists(std::string_view path) override;
    void StartProgram(std::string_view path, int windowMode) override;
};

} // namespace velmora::win32
