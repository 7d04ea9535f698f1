#include "app/file_selection.h"

#include "fakes.h"
#include "test_helpers.h"

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
// failures the dialog passes over.
struct SelectionCase
{
    const char* name;
    std::vector<const char*> failing; // operations that fail, each passed over
    bool valueSet;
};

class FileSelection : public testing::TestWithParam<SelectionCase>
{
};

TEST_P(FileSelection, PassesOverFailuresAndNeverReports)
{
    EventLog log;
    FakeDialogAndField dialog(log);
    FakeDesktop desktop(log);
    for (const char* operation : GetParam().failing)
        dialog.Fail(operation, kErrInternal);
    cmdSelectFile_Click(dialog, dialog, desktop);

    EventLog expected = {"title [ Open ]", "filter [All Files (*.*)|*.*]", "show"};
    if (GetParam().valueSet)
        expected.push_back(R"(value [C:\cat.bmp])");
    EXPECT_EQ(log, expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FileSelection,
                         testing::Values(SelectionCase{"FailingSettingsArePassedOver", {"title", "filter"}, true},
                                         SelectionCase{"AFileNameThatCannotBeReadEndsQuietly", {"filename"}, false}),
                         RowName());

} // namespace
