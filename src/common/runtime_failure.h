#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora
{

// Numbers in the usual numbering of run-time failures; which of them the standard trap passes over
// is decided in error_trap.cpp.
inline constexpr std::int32_t kErrInvalidArgument = 5;
inline constexpr std::int32_t kErrOutOfMemory = 7;
inline constexpr std::int32_t kErrInternal = 51;
inline constexpr std::int32_t kErrBadFileNameOrNumber = 52;
inline constexpr std::int32_t kErrFileNotFound = 53;
inline constexpr std::int32_t kErrFileAlreadyExists = 58;
inline constexpr std::int32_t kErrDiskFull = 61;
inline constexpr std::int32_t kErrPermissionDenied = 70;
inline constexpr std::int32_t kErrPathFileAccess = 75;
inline constexpr std::int32_t kErrPathNotFound = 76;
inline constexpr std::int32_t kErrInvalidUseOfNull = 94;
inline constexpr std::int32_t kErrInvalidPropertyValue = 380;
// The Win32 number for "no mapping for the Unicode character in the target code page".
inline constexpr std::int32_t kErrNoCodePageMapping = 1113;

/// The usual description of a failure number; empty for a number without one.
std::string StandardDescription(std::int32_t number);

/// A run-time failure inside a command handler: a number and a description.
class RuntimeFailure : public std::runtime_error
{
public:
    RuntimeFailure(std::int32_t number, std::string description);
    /// A failure with the usual description of its number.
    explicit RuntimeFailure(std::int32_t number);

    std::int32_t Number() const noexcept { return m_number; }
    const std::string& Description() const noexcept { return m_description; }

private:
    std::int32_t m_number;
    std::string m_description;
};

/// A failure that stopped a save before its first effect: the usual description, the reason when
/// there is one, and "; nothing was written".
RuntimeFailure NothingWritten(std::int32_t number, std::string_view reason = {});

/// 58: every name tried for a temporary file beside a target was taken.
RuntimeFailure NoFreeTemporaryName(unsigned attempts);

} // namespace velmora
