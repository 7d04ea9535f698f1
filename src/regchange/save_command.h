#pragma once

#include "regchange/reg_file.h"
#include "regchange/settings_store.h"
#include "common/desktop.h"
#include "common/registry_reader.h"

#include <string>
#include <string_view>

namespace velmora
{

/// The five fields of the main window.
enum class Field
{
    Location,    // txtLoc(0)
    Application, // txtLoc(1)
    Section,     // txtLoc(2)
    Key,         // txtLoc(3)
    Value,       // txtSelectFile
};

/// What the Save command reads from and writes to the main window.
class SaveView
{
public:
    virtual ~SaveView() = default;
    virtual std::string FieldText(Field field) = 0;
    virtual void SetStatusText(std::string_view text) = 0;
    virtual WindowRef Owner() = 0;
};

struct SavePorts
{
    Desktop& desktop;
    SettingsStore& settings;
    RegFileOutput& file; // Velmora.reg, then Velmora-undo.reg, one after the other
    RegistryReader& registry;
};

inline constexpr std::string_view kCreatedStatusPrefix = " Reg file created as : ";
inline constexpr std::string_view kNotCreatedStatus =
    " Reg file not created : location, application name and section are all blank";

/// The Save command: stores the setting, keeps the value as it is now in Velmora-undo.reg, writes
/// Velmora.reg beside the program, has the shell open it and says in the status text where it
/// lies. Runs under the standard trap.
void cmdSaveToRegistry_Click(SaveView& view, const SavePorts& ports);

} // namespace velmora
