#include "regchange/save_command.h"

#include "regchange/undo_file.h"
#include "shell/error_trap.h"
#include "shell/shell_result.h"
#include "common/text_form.h"

#include <algorithm>

namespace velmora
{
namespace
{

// The shell cannot open a path of MAX_PATH characters or more.
constexpr std::size_t kShellPathLimit = 260;

SaveFields ReadFields(SaveView& view)
{
    return {view.FieldText(Field::Location), view.FieldText(Field::Application), view.FieldText(Field::Section),
            view.FieldText(Field::Key), view.FieldText(Field::Value)};
}

// The shell reads %NAME% in the path it is given as the value of a setting, and then opens another
// folder's file; a path with at most one % names only itself.
bool MayBeExpanded(std::string_view path)
{
    return std::ranges::count(path, '%') >= 2;
}

bool ShellOpensExactly(std::string_view path)
{
    return !MayBeExpanded(path) && Utf16Length(path) < kShellPathLimit;
}

// One file in its units: each a step of its own, and the last one essential, since a file not
// finished must never be put in place.
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

std::string ShellPathBeside(Desktop& desktop, const std::string& folder, std::string_view fileName)
{
    const std::string path = folder + "\\" + std::string(fileName);
    if (ShellOpensExactly(path))
        return path;
    const std::string shortFolder = desktop.ShortPath(folder);
    const std::string shortPath = shortFolder + "\\" + std::string(fileName);
    if (!shortFolder.empty() && ShellOpensExactly(shortPath))
        return shortPath;
    if (MayBeExpanded(path))
        throw NothingWritten(kErrInvalidPropertyValue,
                             "the program's folder holds '%', which the shell would read as the name of a setting "
                             "and open another folder's " +
                                 std::string(fileName));
    throw NothingWritten(kErrInvalidPropertyValue,
                         "the path of " + std::string(fileName) + " is too long for the shell to open it");
}

void cmdSaveToRegistry_Click(SaveView& view, const SavePorts& ports)
{
    ErrorTrap trap(TrapVariant::Standard, ports.desktop);
    SaveFields fields;
    SaveEntry entry;
    std::string folder;
    std::string shellPath;
    std::int32_t shellResult = 0;

    trap.Step([&] { fields = ReadFields(view); });
    // Every refusal comes before the first effect: a refused save leaves the store, the files, the
    // registry and the status text as they were.
    trap.Step(
        [&] {
            entry = ComposeSaveEntry(fields, [&](std::string_view text) { return ports.file.CanEncode(text); });
            if (entry.refusal)
                throw *entry.refusal;
            if (entry.key)
            {
                folder = ports.desktop.ApplicationFolder();
                shellPath = ShellPathBeside(ports.desktop, folder, kRegFileName);
            }
        },
        StepKind::Essential);
    // The store gets the texts as typed; only the application path is made of trimmed pieces.
    trap.Step([&] { ports.settings.SaveSetting(entry.appPath, fields.section, fields.key, fields.value); });

    if (!entry.key)
    {
        // Nothing was written, so the status must not claim a file.
        trap.Step([&] { view.SetStatusText(kNotCreatedStatus); });
        return;
    }

    // A change that cannot be undone is not made: the value as it is now is read, whole, and kept
    // in Velmora-undo.reg, which takes its place together with Velmora.reg or not at all, so that a
    // failed save leaves the undo file of the last good one.
    std::optional<std::string_view> valueName;
    std::optional<RegistryValue> oldValue;
    if (!entry.valueLine.empty())
    {
        valueName = fields.key;
        trap.Step([&] { oldValue = ports.registry.ReadValue(entry.key->root, entry.key->BelowRoot(), fields.key); },
                  StepKind::Essential);
    }
    WriteFileSteps(trap, ports.file, folder + "\\" + std::string(kUndoFileName), FileEncoding::Utf16,
                   UndoFileLines(entry.keyLine, valueName, oldValue));
    const std::string filePath = folder + "\\" + std::string(kRegFileName);
    WriteFileSteps(trap, ports.file, filePath, FileEncoding::SystemAnsi, RegFileLines(entry.keyLine, entry.valueLine));
    trap.Step([&] { ports.file.Commit(); }, StepKind::Essential);

    trap.Step([&] { shellResult = ports.desktop.ShellOpenHeld(view.Owner(), shellPath); });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::General, ports.desktop); });
    trap.Step([&] { view.SetStatusText(std::string(kCreatedStatusPrefix) + filePath); });
}

} // namespace velmora
