#pragma once

#include "regchange/reg_file.h"
#include "regchange/save_entry.h"
#include "regchange/settings_store.h"
#include "shell/desktop.h"
#include "registry/registry_reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora
{

/// What the Save command reads from and writes to the main window: its fields and status text.
class SaveView
{
public:
    virtual ~SaveView() = default;
    virtual std::string FieldText(Field field) = 0;
    virtual void SetStatusText(std::string_view text) = 0;
    virtual WindowRef Owner() = 0;
    /// A save waits, bounded: the status line says what for, and until EndWait the program's windows
    /// take no input but repaint, under the wait cursor. A view without windows only shows the text.
    virtual void BeginWait(std::string_view statusText) { SetStatusText(statusText); }
    virtual void EndWait() noexcept {}
};

struct SavePorts
{
    Desktop& desktop;
    SettingsStore& settings;
    RegFileOutput& file; // Velmora-undo.reg, then Velmora.reg, put in place together
    RegistryReader& registry;
};

inline constexpr std::string_view kCreatedStatusPrefix = " Reg file created as : ";
inline constexpr std::string_view kNotCreatedStatus =
    " Reg file not created : location, application name and section are all blank";
// After the created status, when the file could not be held for its reader.
inline constexpr std::string_view kNotHeldStatusSuffix =
    " (not held open: a save made before the Registry Editor has read it would replace it)";

/// The status line while a save waits.
std::string_view WaitingStatus(transaction::WaitReason reason);

/// The path of a file beside the program in a form the shell opens as exactly that file: the
/// folder as it is, or else its short form; none when neither will do, and `why` says why.
std::optional<std::string> ShellPathBeside(Desktop& desktop, const std::string& folder, std::string_view fileName,
                                           std::string& why);

/// The Save command: stores the setting, keeps the value as it is now in Velmora-undo.reg, writes
/// Velmora.reg beside the program, puts both in place together, has the shell open Velmora.reg and
/// says in the status text where it lies. Runs under the standard trap.
void cmdSaveToRegistry_Click(SaveView& view, const SavePorts& ports);

} // namespace velmora
