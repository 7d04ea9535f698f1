#pragma once

#include "common/runtime_failure.h"
#include "transaction/file_port.h"

#include <array>
#include <span>
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

/// Output of registration files replaced together or not at all: each file's lines go to a new
/// file beside its target; Commit puts every finished file in place of its target, or none. Every
/// unit can fail on its own with a RuntimeFailure; after a failure nothing of the new files is left.
class RegFileOutput
{
public:
    virtual ~RegFileOutput() = default;

    /// Takes the turn of the targets' folder, which saves of every instance take one after another:
    /// waits, bounded, for another save there to finish and for the reader of the previous save
    /// to let go of the targets, then clears up what a killed save left (70 when a wait runs out,
    /// and nothing is written). The observer hears of every wait until Release.
    virtual void Reserve(std::span<const std::string> targets, transaction::WaitObserver& observer) = 0;
    /// Lets go of the turn, if held.
    virtual void Release() noexcept = 0;
    /// True when every character of the text has a place in the system's 8-bit code page.
    [[nodiscard]] virtual bool CanEncode(std::string_view text) const = 0;
    /// Starts a new file for the target (75 read-only target or refused folder, 76 no folder).
    virtual void Create(std::string_view path, FileEncoding encoding) = 0;
    /// Writes the text and CR LF (52 when no file is open, 61 when the disk is full).
    virtual void WriteLine(std::string_view text) = 0;
    /// Finishes the file, to be put in place by Commit (52 when no file is open).
    virtual void Close() = 0;
    /// Puts every finished file in place of its target, or none (70 while another program holds a
    /// target); fails with 52 when a file is still open or none is finished, so that an old file is
    /// never taken for a new one.
    virtual void Commit() = 0;
};

enum class Backslashes
{
    Plain,          // every backslash stands for itself
    AlreadyEscaped, // the text's backslashes are written as regedit reads them (AddBackSlashToStr)
};

/// The text as a quoted registration-file string: regedit reads \" as a quote and \\ as one backslash.
std::string QuoteRegString(std::string_view text, Backslashes backslashes = Backslashes::Plain);

/// The failure of a file operation of a save as the user is told it: why a wait ran out, a refusal
/// to write, or where the old bytes are that a failed commit could not put back.
RuntimeFailure ExplainedFileFailure(const RuntimeFailure& failure);

/// The four lines of the registration file, without their line ends.
std::array<std::string, 4> RegFileLines(std::string_view keyLine, std::string_view valueLine);

} // namespace velmora
