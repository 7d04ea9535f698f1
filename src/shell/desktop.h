#pragma once

#include "common/app_identity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

/// A window of the desktop, opaque to the core (an HWND on Windows).
struct WindowRef
{
    void* handle = nullptr;
};

/// The icon of a message box; every box has one OK button.
enum class MessageStyle
{
    Plain,   // no icon
    Error,   // the error trap's failures
    Warning, // the shell's failures
};

inline constexpr int kShowNormal = 1;

/// What ShellOpenHeld did: the shell's result (above 32 is success), and whether the file is held
/// until its reader is done.
struct HeldOpen
{
    std::int32_t result = 0;
    bool held = false;
};

/// The desktop operations that several commands share; the Win32 layer implements them, tests fake them.
class Desktop
{
public:
    virtual ~Desktop() = default;

    /// A modal message box with one OK button; without a title it carries the application title.
    virtual void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) = 0;

    /// Hands the file to the shell; above 32 is success, 32 or less a failure code.
    [[nodiscard]] virtual std::int32_t ShellOpen(WindowRef owner, std::string_view verb, std::string_view file,
                                                 std::string_view parameters, std::string_view directory,
                                                 int showMode) = 0;

    /// Has the shell open the file (in the form the shell opens: shellPath) as ShellOpen does, and
    /// holds it (by its own path, heldPath) against writers until it has been read, so that no later
    /// save replaces it first: until the program the shell started ends when that is the system's
    /// own trusted reader (a file name such as "regedit.exe", in the Windows folder), else for a
    /// bounded time; not at all when the request failed.
    [[nodiscard]] virtual HeldOpen ShellOpenHeld(WindowRef owner, std::string_view shellPath, std::string_view heldPath,
                                                 std::string_view trustedReader) = 0;

    /// The folder that holds the program file, as the system reports it; a run-time failure when
    /// the system reports none.
    virtual std::string ApplicationFolder() = 0;

    /// The short form of an existing path (each piece at most eight and three characters), or
    /// empty when the system gives none that leads to that very file or folder.
    virtual std::string ShortPath(std::string_view path) = 0;

    /// The title and version the windows and message boxes show.
    virtual AppIdentity Identity() = 0;
};

/// A file in the program's folder: the folder, one backslash and the name. The folder's last
/// character is not looked at, so a drive root ("C:\") gives two backslashes, as it always has.
inline std::string FileInFolder(std::string_view folder, std::string_view name)
{
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    return path.append(folder).append(1, '\\').append(name);
}

} // namespace velmora
