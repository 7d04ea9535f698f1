#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velmora
{

inline constexpr std::string_view kRegFileName = "Velmora.reg";
inline constexpr std::string_view kRegFileHeader = "REGEDIT4";

/// Sequential output of the registration file; every unit can fail on its own with a RuntimeFailure.
class RegFileOutput
{
public:
    virtual ~RegFileOutput() = default;

    /// True when every character of the text has a place in the file's 8-bit code page.
    [[nodiscard]] virtual bool CanEncode(std::string_view text) const = 0;
    /// Creates the file, emptying one that exists (75 read-only or refused, 70 locked, 76 no folder).
    virtual void Create(std::string_view path) = 0;
    /// Writes the text and CR LF (52 when no file is open, 61 when the disk is full).
    virtual void WriteLine(std::string_view text) = 0;
    /// Closes the file; does nothing when none is open.
    virtual void Close() = 0;
};

/// The pieces that made the key path, so that a refusal can name the field at fault.
struct KeyPathPieces
{
    std::string_view location;
    std::string_view applicationName;
    std::string_view section;
};

/// The four lines of the registration file, without their line ends.
std::array<std::string, 4> RegFileLines(std::string_view keyPath, std::string_view valueLine);

/// Refuses an entry that must not reach the file: a key path that regedit would read as
/// "delete this key" (380), or a character the code page cannot hold (1113). Touches no file.
void CheckRegFileEntry(const KeyPathPieces& pieces, std::string_view keyPath, std::string_view valueLine,
                       const RegFileOutput& output);

/// Every unit of the file in order: create, the four lines, close.
void WriteRegFile(RegFileOutput& output, std::string_view path, std::string_view keyPath,
                  std::string_view valueLine);

} // namespace velmora
