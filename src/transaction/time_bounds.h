#pragma once

#include <cstdint>

// How long a save waits, and for what: each bound the user may sit through is named here, once.
namespace velmora::transaction
{

/// Another program holding a target (a registry editor still reading the previous file) usually
/// lets go within moments; waiting longer would leave the user looking at a window that does nothing.
inline constexpr std::uint32_t kHeldTargetWaitMs = 2000;

/// Between two looks at a held file.
inline constexpr std::uint32_t kRetryPauseMs = 50;

/// One save holds the folder's turn through at most two waits for a held file (the previous save's
/// reader, then a program holding a target at the commit) and the shell's start.
inline constexpr std::uint32_t kTurnWaitMs = 5000;

/// A file handed to a program whose end says nothing (a launcher) is held this long: a registry
/// editor that a launcher starts asks for confirmation before it reads the file, and a minute covers
/// a user who reads the question.
inline constexpr std::uint32_t kReaderHoldMs = 60000;

/// Leftovers of crashed runs that took a name are stepped over, but not endlessly.
inline constexpr unsigned kMaxNameAttempts = 100;

} // namespace velmora::transaction
