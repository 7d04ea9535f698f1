#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velmora
{

inline constexpr std::string_view kRegFileName = "Velmora.reg";
inline constexpr std::string_view kRegFileHeader = "REGEDIT4";

/// How the lines of a registration file are stored.
enum class FileEncoding
{
    SystemAnsi, // REGEDIT4: the system ANSI code page, no byte-order mark
    Utf16,      // version 5.00: UTF-16LE with a byte-order mark
};

/// Output of one registration file, replaced whole or not at all: the lines go to a new file
/// beside the target, which takes the target's place only when Close succeeds. Every unit can
/// fail on its own with a RuntimeFailure; after a failure nothing of the new file is left.
class RegFileOutput
{
public:
    virtual ~RegFileOutput() = default;

    /// True when every character of the text has a place in the system's 8-bit code page.
    [[nodiscard]] virtual bool CanEncode(std::string_view text) const = 0;
    /// Starts a new file for the target (75 read-only target or refused folder, 76 no folder).
    virtual void Create(std::string_view path, FileEncoding encoding) = 0;
    /// Writes the text and CR LF (52 when no file is open, 61 when the disk is full).
    virtual void WriteLine(std::string_view text) = 0;
    /// Puts the new file in place of the target (70 while another program holds the target);
    /// fails with 52 when no file is open, so that an old file is never taken for the new one.
    virtual void Close() = 0;
};

/// The four lines of the registration file, without their line ends.
std::array<std::string, 4> RegFileLines(std::string_view keyPath, std::string_view valueLine);

} // namespace velmora
