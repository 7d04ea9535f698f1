#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::transaction
{

/// What can go wrong with a file operation, as far as the transaction decides anything by it.
enum class FileFault
{
    None,
    Held,     // another program has the file open in a way that conflicts: it may let go soon
    Exists,   // a new file's name is taken
    NotFound, // no such file (or folder)
    Denied,   // the file or its folder refuses the operation: waiting does not help
    DiskFull,
    Other,
};

/// The result of one operation: its fault and, for a failure, the run-time failure that reports it.
struct FileResult
{
    FileFault fault = FileFault::None;
    std::int32_t number = 0; // the run-time failure's number
    std::string description; // empty: the number's usual description

    [[nodiscard]] bool Ok() const noexcept { return fault == FileFault::None; }
};

/// One run of a program: a process id and when that process started, which no later process repeats
/// (an id alone is reused, as after a restart).
struct RunId
{
    std::uint32_t process = 0;
    std::uint64_t started = 0;
    bool operator==(const RunId&) const = default;
};

/// A file being written, opened by CreateNew.
using FileToken = std::uint64_t;

/// What the transaction needs of the disk and the system. Paths are full, UTF-8, with backslashes.
/// No operation decides anything: each does one thing and says how it went.
class FilePort
{
public:
    virtual ~FilePort() = default;

    /// Creates a file that must not exist yet, opened for writing and shared with nobody.
    [[nodiscard]] virtual FileResult CreateNew(const std::string& path, FileToken& file) = 0;
    /// Appends the bytes to the file.
    [[nodiscard]] virtual FileResult Write(FileToken file, std::string_view bytes) = 0;
    /// Puts the file's bytes on the disk and closes it; the token is spent whatever the result.
    [[nodiscard]] virtual FileResult FlushAndClose(FileToken file) = 0;
    /// Closes a file without caring for its bytes.
    virtual void Abandon(FileToken file) noexcept = 0;
    /// Copies a file to a name that must not exist yet.
    [[nodiscard]] virtual FileResult Copy(const std::string& from, const std::string& to) = 0;
    /// Gives the file the other name, in one step, replacing what had that name (a link is replaced,
    /// never written through).
    [[nodiscard]] virtual FileResult Replace(const std::string& from, const std::string& to) = 0;
    [[nodiscard]] virtual FileResult Delete(const std::string& path) = 0;
    /// Reads a whole file.
    [[nodiscard]] virtual FileResult Read(const std::string& path, std::string& bytes) = 0;
    /// The names of the files in the folder.
    [[nodiscard]] virtual FileResult List(const std::string& folder, std::vector<std::string>& names) = 0;
    /// True when the file is read-only or a folder: nothing may take its place.
    [[nodiscard]] virtual bool IsReadOnly(const std::string& path) = 0;
    /// Held when another program has the file open so that it could not be replaced now.
    [[nodiscard]] virtual FileResult ProbeHeld(const std::string& path) = 0;

    /// This program's run.
    [[nodiscard]] virtual RunId ThisRun() = 0;
    /// False only when that run is known to have ended.
    [[nodiscard]] virtual bool IsRunning(const RunId& run) = 0;
    /// Milliseconds from any fixed start.
    [[nodiscard]] virtual std::uint64_t NowMs() = 0;
    /// Lets the time pass (the program's windows go on answering meanwhile).
    virtual void Pause(std::uint32_t ms) = 0;
};

/// The folder's turn, which the saves of every instance take one after another.
class FolderTurn
{
public:
    virtual ~FolderTurn() = default;
    /// Waits up to maxMs for the turn of the folder; false when it did not come. A turn whose holder
    /// ended without letting go passes on.
    [[nodiscard]] virtual bool Take(const std::string& folder, std::uint32_t maxMs) = 0;
    /// Lets go of the turn, if held.
    virtual void Release() noexcept = 0;
};

/// What a transaction may wait for.
enum class WaitReason
{
    AnotherSave, // the folder's turn, which another instance holds
    Reader,      // the program reading the previous save's file
    HeldTarget,  // a program holding a target at the commit
};

/// Told when a wait begins and ends, so that the user sees what the save waits for.
class WaitObserver
{
public:
    virtual ~WaitObserver() = default;
    virtual void BeginWait(WaitReason reason) = 0;
    virtual void EndWait() noexcept = 0;
};

} // namespace velmora::transaction
