#include "regchange/save_command.h"

#include "regchange/save_entry.h"
#include "regchange/undo_file.h"
#include "common/error_trap.h"
#include "common/shell_result.h"

namespace velmora
{
namespace
{

SaveFields ReadFields(SaveView& view)
{
    return {view.FieldText(Field::Location), view.FieldText(Field::Application), view.FieldText(Field::Section),
            view.FieldText(Field::Key), view.FieldText(Field::Value)};
}

// One file in its units: each a step of its own, and the last one essential, since a file not in
// place must never be taken for the new one.
template <class Lines>
void WriteFileSteps(ErrorTrap& trap, RegFileOutput& file, const std::string& path, FileEncoding encoding,
                    const Lines& lines)
{
    trap.Step([&] { file.Create(path, encoding); });
    for (const std::string& line : lines)
        trap.Step([&] { file.WriteLine(line); });
    trap.Step([&] { file.Close(); }, StepKind::Essential);
}

} // namespace

void cmdSaveToRegistry_Click(SaveView& view, const SavePorts& ports)
{
    ErrorTrap trap(TrapVariant::Standard, ports.desktop);
    SaveFields fields;
    SaveEntry entry;
    std::string filePath;
    std::int32_t shellResult = 0;

    trap.Step([&] { fields = ReadFields(view); });
    // Every refusal comes before the first effect: a refused save leaves the store, the file, the
    // registry and the status text as they were.
    trap.Step(
        [&] {
            entry = ComposeSaveEntry(fields, [&](std::string_view text) { return ports.file.CanEncode(text); });
            if (entry.refusal)
                throw *entry.refusal;
        },
        StepKind::Essential);
    // The store gets the texts as typed; only the application path is made of trimmed pieces.
    trap.Step([&] { ports.settings.SaveSetting(entry.appPath, fields.section, fields.key, fields.value); });

    if (entry.keyPath.empty())
    {
        // Nothing was written, so the status must not claim a file.
        trap.Step([&] { view.SetStatusText(kNotCreatedStatus); });
        return;
    }

    std::string folder;
    trap.Step([&] { folder = ports.desktop.ApplicationFolder() + "\\"; });
    filePath = folder + std::string(kRegFileName);

    // A change that cannot be undone is not made: the value as it is now is read, whole, and
    // kept in Velmora-undo.reg before Velmora.reg is put in place.
    std::optional<std::string_view> valueName;
    std::optional<RegistryValue> oldValue;
    if (!entry.valueLine.empty())
    {
        valueName = fields.key;
        trap.Step([&] { oldValue = ports.registry.ReadValue(entry.root, entry.keyBelowRoot, fields.key); },
                  StepKind::Essential);
    }
    WriteFileSteps(trap, ports.file, folder + std::string(kUndoFileName), FileEncoding::Utf16,
                   UndoFileLines(entry.keyPath, valueName, oldValue));
    WriteFileSteps(trap, ports.file, filePath, FileEncoding::SystemAnsi, RegFileLines(entry.keyPath, entry.valueLine));

    trap.Step([&] { shellResult = ShellOpenRequest(ports.desktop, view.Owner(), filePath); });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::General, ports.desktop); });
    trap.Step([&] { view.SetStatusText(std::string(kCreatedStatusPrefix) + filePath); });
}

} // namespace velmora
