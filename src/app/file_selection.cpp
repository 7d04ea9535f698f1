#include "app/file_selection.h"

#include "shell/error_trap.h"

namespace velmora
{

void cmdSelectFile_Click(FileSelectionView& view, OpenFileDialog& dialog, Desktop& desktop)
{
    ErrorTrap trap(TrapVariant::ResumeNext, desktop);
    bool nameChosen = false;
    std::string chosenName;

    trap.Step([&] { dialog.SetDialogTitle(kOpenDialogTitle); });
    trap.Step([&] { dialog.SetFilter(kOpenDialogFilter); });
    trap.Step([&] { dialog.ShowOpen(view.Owner()); });
    trap.Step([&] { nameChosen = !dialog.FileName().empty(); });
    if (!nameChosen)
        return;
    trap.Step([&] { chosenName = dialog.FileName(); });
    trap.Step([&] { view.SetValueText(chosenName); });
}

} // namespace velmora
