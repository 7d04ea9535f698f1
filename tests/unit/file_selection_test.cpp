#include "app/file_selection.h"

#include "fakes.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

// The dialog and the value field in one fake: every call goes to the log.
class FakeDialogAndField : public OpenFileDialog, public FileSelectionView, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;

    void SetDialogTitle(std::string_view title) override { Record("title [" + std::string(title) + "]"); }
    void SetFilter(std::string_view filter) override { Record("filter [" + std::string(filter) + "]"); }
    void ShowOpen(WindowRef) override { Record("show"); }
    std::string FileName() override
    {
        ThrowIfPlanned("filename");
        return R"(C:\cat.bmp)";
    }
    void SetValueText(std::string_view text) override { Record("value [" + std::string(text) + "]"); }
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

} // namespace
