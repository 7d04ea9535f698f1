#pragma once

#include "shell/desktop.h"
#include "registry/registry_reader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velmora
{

inline constexpr std::size_t kValueBufferSize = 1024;

inline constexpr std::string_view kSysInfoUnavailable = "System Information Is Unavailable At This Time";

/// Finding and starting a program file.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    /// True only for an existing ordinary file: not a folder, not hidden, not a system file.
    [[nodiscard]] virtual bool FileExists(std::string_view path) = 0;
    /// Starts the program file as a process of its own and returns at once; fails when it cannot.
    virtual void StartProgram(std::string_view path, int windowMode) = 0;
};

/// One registry value as text: true when the key was opened and the value read. The last byte
/// is dropped when it is zero; type 1 is the text itself, type 4 "&h" and its bytes in hex from
/// the last to the first; any other type leaves KeyVal as it was.
[[nodiscard]] bool GetKeyValue(RegistryReader& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                               const std::string& SubKeyRef, std::string& KeyVal);

/// Starts the system information tool that the registry names, or says it is unavailable.
void StartSysInfo(RegistryReader& registry, ProgramLauncher& launcher, Desktop& desktop);

} // namespace velmora
