#pragma once

#include "registry/registry_root.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace velmora
{

/// What one read of a registry value gave: status 0 means read; the data holds the bytes the
/// registry reported, text types already as UTF-8 (their terminating zero included when stored).
struct RegistryRead
{
    std::int32_t status = 0;
    std::uint32_t type = 0;
    std::string data;
};

/// The value types the program tells apart, by the numbers the registry stores.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

/// True for the types whose bytes are UTF-16 text.
[[nodiscard]] constexpr bool IsTextType(std::uint32_t type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

/// A registry value exactly as stored: its type number and its bytes (text types in UTF-16LE).
struct RegistryValue
{
    // A constructor rather than member initialisers: GCC 12 warns falsely about an aggregate's string.
    RegistryValue(std::uint32_t valueType = 0, std::string valueBytes = {})
        : type(valueType), bytes(std::move(valueBytes))
    {
    }
    std::uint32_t type;
    std::string bytes;
    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

/// An open registry key; closed when the object goes.
class RegistryKey
{
public:
    virtual ~RegistryKey() = default;
    /// Reads the value into a zeroed buffer of the given size; a longer value is not read.
    [[nodiscard]] virtual RegistryRead QueryValue(std::string_view valueName, std::size_t bufferSize) = 0;
};

/// Reads the registry, never writes it.
class RegistryReader
{
public:
    virtual ~RegistryReader() = default;
    /// The key opened for reading only, or null when it cannot be: the program never writes through
    /// it, and a standard user may not open the system's keys for writing.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view path) = 0;
    /// The whole value, whatever its type and size, read with read access only; nothing when the
    /// key or the value does not exist. A value that cannot be read fails with a RuntimeFailure.
    [[nodiscard]] virtual std::optional<RegistryValue> ReadValue(RegistryRoot root, std::string_view keyPath,
                                                                 std::string_view valueName) = 0;
};

} // namespace velmora
