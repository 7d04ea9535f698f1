#pragma once

#include "transaction/file_port.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::transaction
{

/// The files a transaction makes beside a target, told apart by the end of their names.
enum class LeftoverKind
{
    Staged,  // .tmp: a new file, waiting to take the target's place
    Copy,    // .old: the old target's bytes, until every new file is in place
    Journal, // .commit: what a commit under way is doing, for whoever finds it cut short
};

/// A file name made by NameBeside, read back.
struct Leftover
{
    std::size_t target = 0; // which of the target names it was made beside
    RunId run;
    LeftoverKind kind = LeftoverKind::Staged;
};

/// The name of a file made beside the target by a run: "<target>.<process>-<started>-<attempt><kind>".
std::string NameBeside(std::string_view targetName, const RunId& run, unsigned attempt, LeftoverKind kind);

/// What the file name says when NameBeside made it for one of the targets (letter case aside).
std::optional<Leftover> ParseLeftover(std::string_view fileName, std::span<const std::string> targetNames);

/// Whether two file names name the same file: Windows ignores the letter case.
bool SameFileName(std::string_view a, std::string_view b);

/// One target of a commit: the new file that takes its place, where its old bytes are kept (none: it
/// had none), and what the new file holds, so that a journal can tell whether the target still holds it.
struct JournalEntry
{
    std::string target; // file names, all in the targets' folder
    std::string staged;
    std::string copy;       // empty: the target had no old file
    std::uint64_t size = 0; // of the new file
    std::uint64_t hash = 0;
    std::uint64_t oldSize = 0; // of the old file, when there was one
    std::uint64_t oldHash = 0;
    bool operator==(const JournalEntry&) const = default;
};

/// The journal's bytes: a first line, a line an entry, and a last line that says it is whole.
std::string JournalText(std::span<const JournalEntry> entries);

/// The entries of a whole journal; none when the text was cut short or is not a journal.
std::optional<std::vector<JournalEntry>> ParseJournal(std::string_view text);

inline constexpr std::uint64_t kEmptyHash = 0xcbf29ce484222325u;

/// A 64-bit digest of the bytes (FNV-1a), going on from the digest of the bytes before them: a
/// journal's way to recognise the files it put in place and the ones it replaced.
std::uint64_t ContentHash(std::string_view bytes, std::uint64_t before = kEmptyHash);

} // namespace velmora::transaction
