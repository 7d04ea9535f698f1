#pragma once

#include "registry/registry_reader.h"

namespace velmora::win32
{

/// Registry reads through the W functions; text values are handed on as UTF-8.
class Win32RegistryReader : public RegistryReader
{
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view path) override;
    std::optional<RegistryValue> ReadValue(RegistryRoot root, std::string_view keyPath,
                                           std::string_view valueName) override;
};

} // namespace velmora::win32
