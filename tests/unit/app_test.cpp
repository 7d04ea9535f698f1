// The main window's commands other than Save: the file selection, the registry editor and help.
#include "app/file_selection.h"
#include "app/main_commands.h"

#include "fakes.h"

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

class FakeDialogAndField : public OpenFileDialog, public FileSelectionView, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    void SetDialogTitle(std::string_view title) override { Record("title", Br(title)); }
    void SetFilter(std::string_view filter) override { Record("filter", Br(filter)); }
    void ShowOpen(WindowRef) override { Record("show"); }
    std::string FileName() override { return ThrowIfPlanned("filename"), R"(C:\cat.bmp)"; }
    void SetValueText(std::string_view text) override { Record("value", Br(text)); }
    WindowRef Owner() override { return {}; }
};

// What the user sees of a pick and of Cancel is seen through the real Open dialog; here, the
// failures the dialog passes over: settings that fail, and a file name that cannot be read.
TEST(FileSelection, PassesOverFailuresAndNeverReports)
{
    for (const auto& [failing, valueSet] : {std::pair{std::vector<const char*>{"title", "filter"}, true},
                                            std::pair{std::vector<const char*>{"filename"}, false}})
    {
        EventLog log;
        FakeDialogAndField dialog(log);
        FakeDesktop desktop(log);
        for (const char* operation : failing)
            dialog.Fail(operation, kErrInternal);
        cmdSelectFile_Click(dialog, dialog, desktop);
        EventLog expected = {"title [ Open ]", "filter [All Files (*.*)|*.*]", "show"};
        if (valueSet)
            expected.push_back(R"(value [C:\cat.bmp])");
        EXPECT_EQ(log, expected);
    }
}

// The help command hands one path to the request and to its message; the registry editor's code 3 is
// the general text; a request failure that the trap passes over leaves the result 0.
TEST(MenuCommands, OpenTheirTargetAndReportAFailedRequest)
{
    EventLog log;
    FakeDesktop desktop(log);
    desktop.shellResult = 3;
    mnuHelp_Click(desktop, {});
    cmdOpenRegistryEditor_Click(desktop, {});
    desktop.Fail("shell", kErrInvalidArgument);
    mnuHelp_Click(desktop, {});
    cmdOpenRegistryEditor_Click(desktop, {});
    const std::string help = R"(shell 0 open [C:\Tools\VelmoraHelp.pdf] [] [] 1)";
    const std::string regedit = "shell 0 open [regedit] [] [] 1";
    const std::string zero = "message warning [Error] Out of memory or resources";
    EXPECT_EQ(log, (EventLog{help, R"(message warning [Error] Path :C:\Tools\VelmoraHelp.pdf not found)", regedit,
                             "message warning [Error] Path not found", help, zero, regedit, zero}));
}

} // namespace
