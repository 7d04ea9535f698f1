#include "regchange/save_command.h"

#include "regchange/undo_file.h"
#include "shell/error_trap.h"
#include "shell/shell_result.h"
#include "common/text_form.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace velmora
{
namespace
{

// The shell cannot open a path of MAX_PATH characters or more.
constexpr std::size_t kShellPathLimit = 260;
// The registry editor's own end says that it has read the file; a launcher's end says nothing.
constexpr std::string_view kRegistryEditor = "regedit.exe";

// What one save works with, filled in step by step.
struct SaveRun
{
    SaveFields fields;
    SaveEntry entry;
    std::string folder;                 // the program's
    std::string filePath;               // Velmora.reg beside the program, as the status names it
    std::string shellPath;              // the same file in the form the shell is handed
    std::array<std::string, 2> targets; // Velmora-undo.reg, Velmora.reg
    std::array<std::string, 4> regLines;
    std::vector<std::string> undoLines;
    std::int32_t shellResult = 0;
};

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

// Every refusal comes before the first effect: a refused save leaves the store, the files, the
// registry and the status text as they were.
void Check(SaveRun& run, const SavePorts& ports)
{
    run.entry = ComposeSaveEntry(run.fields, [&](std::string_view text) { return ports.file.CanEncode(text); });
    if (run.entry.refusal)
        throw *run.entry.refusal;
    if (!run.entry.key)
        return;
    const std::string folder = ports.desktop.ApplicationFolder();
    run.folder = folder;
    run.filePath = FileInFolder(folder, kRegFileName);
    std::string why;
    const std::optional<std::string> shellPath = ShellPathBeside(ports.desktop, folder, kRegFileName, why);
    if (!shellPath)
        throw NothingWritten(kErrInvalidPropertyValue, why);
    run.shellPath = *shellPath;
    run.targets = {FileInFolder(folder, kUndoFileName), run.filePath};
    run.regLines = RegFileLines(run.entry.keyLine, run.entry.valueLine);
}

// A change that cannot be undone is not made: the value as it is now is read, whole, and kept in
// Velmora-undo.reg, which takes its place together with Velmora.reg or not at all, so that a
// failed save leaves the undo file of the last good one.
void ReadOldValue(SaveRun& run, RegistryReader& registry)
{
    std::optional<std::string_view> valueName;
    std::optional<RegistryValue> oldValue;
    if (!run.entry.valueLine.empty())
    {
        valueName = run.fields.key;
        oldValue = registry.ReadValue(run.entry.key->root, run.entry.key->BelowRoot(), run.fields.key);
    }
    run.undoLines = UndoFileLines(run.entry.keyLine, valueName, oldValue);
}

// One file in its units: each a step of its own, and the last one essential, since a file not
// finished must never be put in place.
template <class Lines>
void WriteFileSteps(ErrorTrap& trap, RegFileOutput& file, const std::string& path, FileEncoding encoding,
                    const Lines& lines)
{
    // A refused create (75) is passed over, as the standard trap does: the first line then fails
    // with 52, no file being open, and that ends the command.
    trap.Step([&] { file.Create(path, encoding); });
    for (const std::string& line : lines)
        trap.Step([&] { file.WriteLine(line); });
    trap.Step([&] { file.Close(); }, StepKind::Essential);
}

// The user sees in the status line what the save waits for.
class SaveWaits final : public transaction::WaitObserver
{
public:
    explicit SaveWaits(SaveView& view) : m_view(view) {}
    void BeginWait(transaction::WaitReason reason) override { m_view.BeginWait(WaitingStatus(reason)); }
    void EndWait() noexcept override { m_view.EndWait(); }

private:
    SaveView& m_view;
};

// One save at a time in the folder, across instances, and only once the registry editor of the
// previous one is done: the value read next is the one this save replaces. Held from before that
// read until the new file is held for its reader, or the first failure.
class SaveTurn
{
public:
    SaveTurn(RegFileOutput& file, std::span<const std::string> targets, transaction::WaitObserver& waits) : m_file(file)
    {
        m_file.Reserve(targets, waits);
    }
    ~SaveTurn() { m_file.Release(); }
    SaveTurn(const SaveTurn&) = delete;
    SaveTurn& operator=(const SaveTurn&) = delete;

private:
    RegFileOutput& m_file;
};

} // namespace

std::optional<std::string> ShellPathBeside(Desktop& desktop, const std::string& folder, std::string_view fileName,
                                           std::string& why)
{
    const std::string path = FileInFolder(folder, fileName);
    if (ShellOpensExactly(path))
        return path;
    const std::string shortFolder = desktop.ShortPath(folder);
    const std::string shortPath = FileInFolder(shortFolder, fileName);
    if (!shortFolder.empty() && ShellOpensExactly(shortPath))
        return shortPath;
    why = MayBeExpanded(path) ? "the program's folder holds '%', which the shell would read as the name of a setting "
                                "and open another folder's " +
                                    std::string(fileName)
                              : "the path of " + std::string(fileName) + " is too long for the shell to open it";
    return std::nullopt;
}

std::string_view WaitingStatus(transaction::WaitReason reason)
{
    switch (reason)
    {
    case transaction::WaitReason::AnotherSave:
        return " Waiting for another copy of Velmora to finish saving ...";
    case transaction::WaitReason::Reader:
        return " Waiting for the Registry Editor to read Velmora.reg ...";
    case transaction::WaitReason::HeldTarget:
        break;
    }
    return " Waiting for another program to let go of Velmora.reg ...";
}

void cmdSaveToRegistry_Click(SaveView& view, const SavePorts& ports)
{
    // Declared first, so that its message comes after the turn below is let go of: no message box
    // may keep the turn, or every other instance would wait on the user reading it.
    ErrorTrap trap(TrapVariant::Standard, ports.desktop);
    SaveRun run;
    SaveWaits waits(view);
    std::optional<SaveTurn> turn;
    trap.Step([&] { run.fields = ReadFields(view); });
    trap.Step([&] { Check(run, ports); }, StepKind::Essential);
    if (run.entry.key)
        trap.Step([&] { turn.emplace(ports.file, run.targets, waits); }, StepKind::Essential);
    // The store gets the texts as typed (only the application path is made of trimmed pieces). Its
    // refusal (5) is passed over: the file is written all the same.
    trap.Step(
        [&] { ports.settings.SaveSetting(run.entry.appPath, run.fields.section, run.fields.key, run.fields.value); });
    if (!run.entry.key)
        return trap.Step([&] { view.SetStatusText(kNotCreatedStatus); }); // nothing written: no file claimed
    trap.Step([&] { ReadOldValue(run, ports.registry); }, StepKind::Essential);
    WriteFileSteps(trap, ports.file, run.targets[0], FileEncoding::Utf16, run.undoLines);
    WriteFileSteps(trap, ports.file, run.targets[1], FileEncoding::SystemAnsi, run.regLines);
    trap.Step([&] { ports.file.Commit(); }, StepKind::Essential);
    // The short form was checked before the waits; a folder may have come to share it since.
    trap.Step(
        [&] {
            std::string why;
            const std::optional<std::string> shellPath = ShellPathBeside(ports.desktop, run.folder, kRegFileName, why);
            if (!shellPath)
                throw RuntimeFailure(kErrInvalidPropertyValue, StandardDescription(kErrInvalidPropertyValue) + ": " +
                                                                   why + "; it was written but not opened");
            run.shellPath = *shellPath;
        },
        StepKind::Essential);
    // A failure of the request that the trap passes over (5) leaves the result 0: reported below.
    HeldOpen opened;
    trap.Step(
        [&] { opened = ports.desktop.ShellOpenHeld(view.Owner(), run.shellPath, run.filePath, kRegistryEditor); });
    turn.reset(); // the file is held now: the next save waits for its reader
    trap.Step([&] { ReportShellResult(opened.result, ShellMessageVariant::General, ports.desktop); });
    // Set after a shell failure's message too: the file was written, opened or not.
    trap.Step([&] {
        const bool unheld = opened.result > 32 && !opened.held;
        view.SetStatusText(std::string(kCreatedStatusPrefix) + run.filePath +
                           std::string(unheld ? kNotHeldStatusSuffix : ""));
    });
}

} // namespace velmora
