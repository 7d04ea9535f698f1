#include "regchange/save_command.h"

#include "regchange/save_entry.h"
#include "shell/error_trap.h"
#include "shell/shell_result.h"

namespace velmora
{
namespace
{

SaveFields ReadFields(SaveView& view)
{
    return {view.FieldText(Field::Location), view.FieldText(Field::Application), view.FieldText(Field::Section),
            view.FieldText(Field::Key), view.FieldText(Field::Value)};
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

    trap.Step([&] { filePath = ports.desktop.ApplicationFolder() + "\\" + std::string(kRegFileName); });
    trap.Step([&] { ports.file.Create(filePath, FileEncoding::SystemAnsi); });
    for (const std::string& line : RegFileLines(entry.keyPath, entry.valueLine))
        trap.Step([&] { ports.file.WriteLine(line); });
    // The shell must never open an old or partial file.
    trap.Step([&] { ports.file.Close(); }, StepKind::Essential);

    trap.Step([&] { shellResult = ShellOpenRequest(ports.desktop, view.Owner(), filePath); });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::General, ports.desktop); });
    trap.Step([&] { view.SetStatusText(std::string(kCreatedStatusPrefix) + filePath); });
}

} // namespace velmora
