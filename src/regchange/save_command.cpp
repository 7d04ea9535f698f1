#include "regchange/save_command.h"

#include "regchange/entry_composition.h"
#include "shell/error_trap.h"
#include "shell/shell_result.h"

namespace velmora
{

void cmdSaveToRegistry_Click(SaveView& view, const SavePorts& ports)
{
    ErrorTrap trap(TrapVariant::Standard, ports.desktop);
    std::string appPath;
    std::string keyPath;
    std::string valueLine;
    std::string filePath;
    std::int32_t shellResult = 0;

    trap.Step([&] { appPath = ComposeAppPath(view.FieldText(Field::Location), view.FieldText(Field::Application)); });
    // The store gets the texts as typed; only the application path is made of trimmed pieces.
    trap.Step([&] {
        ports.settings.SaveSetting(appPath, view.FieldText(Field::Section), view.FieldText(Field::Key),
                                   view.FieldText(Field::Value));
    });
    trap.Step([&] { keyPath = ComposeKeyPath(appPath, view.FieldText(Field::Section)); });
    trap.Step([&] { valueLine = ComposeValueLine(keyPath, view.FieldText(Field::Key), view.FieldText(Field::Value)); });

    if (keyPath.empty())
    {
        // Nothing was written, so the status must not claim a file.
        trap.Step([&] { view.SetStatusText(kNotCreatedStatus); });
        return;
    }

    trap.Step([&] { filePath = ports.desktop.ApplicationFolder() + "\\" + std::string(kRegFileName); });
    trap.Step([&] {
        const std::string location = view.FieldText(Field::Location);
        const std::string application = view.FieldText(Field::Application);
        const std::string section = view.FieldText(Field::Section);
        CheckRegFileEntry({location, application, section}, keyPath, valueLine, ports.file);
    });
    trap.Step([&] { ports.file.Create(filePath, FileEncoding::SystemAnsi); });
    for (const std::string& line : RegFileLines(keyPath, valueLine))
        trap.Step([&] { ports.file.WriteLine(line); });
    trap.Step([&] { ports.file.Close(); });

    trap.Step([&] { shellResult = ShellOpenRequest(ports.desktop, view.Owner(), filePath); });
    trap.Step([&] { ReportShellResult(shellResult, ShellMessageVariant::General, ports.desktop); });
    trap.Step([&] { view.SetStatusText(std::string(kCreatedStatusPrefix) + filePath); });
}

} // namespace velmora
