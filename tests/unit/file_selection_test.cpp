#include "app/file_selection.h"

#include "fakes.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

// The dialog and the value field in one fake: every call goes to the log.
class FakeDialogAndField : public OpenFileDialog, public FileSelectionView
{
public:
    explicit FakeDialogAndField(EventLog& log) : m_log(log) {}

    std::string nameAfterShow; // what the user picks; empty for Cancel
    FailurePlan failures;

    void SetDialogTitle(std::string_view title) override { Record("title [" + std::string(title) + "]"); }
    void SetFilter(std::string_view filter) override { Record("filter [" + std::string(filter) + "]"); }
    void ShowOpen(WindowRef) override
    {
        Record("show");
        m_fileName = nameAfterShow;
    }
    std::string FileName() override
    {
        failures.ThrowIfPlanned("filename");
        return m_fileName;
    }
    void SetValueText(std::string_view text) override { m_log.push_back("value [" + std::string(text) + "]"); }
    WindowRef Owner() override { return {}; }

private:
    void Record(const std::string& call)
    {
        m_log.push_back(call);
        failures.ThrowIfPlanned(call.substr(0, call.find(' ')));
    }
    EventLog& m_log;
    std::string m_fileName;
};

const EventLog kSetUpAndShow = {"title [ Open ]", "filter [All Files (*.*)|*.*]", "show"};

struct SelectionCase
{
    const char* name;
    std::vector<const char*> failing; // operations that fail, each passed over
    const char* picked;               // what the user picks; empty for Cancel
    const char* value;                // what the value field becomes; nullptr: unchanged
};

class FileSelection : public testing::TestWithParam<SelectionCase>
{
};

TEST_P(FileSelection, PutsThePickedNameUnchangedIntoTheValueFieldAndNeverReports)
{
    EventLog log;
    FakeDialogAndField dialog(log);
    FakeDesktop desktop(log);
    for (const char* operation : GetParam().failing)
        dialog.failures.Fail(operation, kErrInternal);
    dialog.nameAfterShow = GetParam().picked;
    cmdSelectFile_Click(dialog, dialog, desktop);

    EventLog expected = kSetUpAndShow;
    if (GetParam().value)
        expected.push_back("value [" + std::string(GetParam().value) + "]");
    EXPECT_EQ(log, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileSelection,
    testing::Values(SelectionCase{"Picked",
                                  {},
                                  R"(C:\My Pictures\Gr\xC3\xBC\xC3\x9F\x65 "x".bmp)",
                                  R"(C:\My Pictures\Gr\xC3\xBC\xC3\x9F\x65 "x".bmp)"},
                    SelectionCase{"Cancelled", {}, "", nullptr},
                    SelectionCase{
                        "FailingSettingsArePassedOver", {"title", "filter"}, R"(C:\cat.bmp)", R"(C:\cat.bmp)"},
                    SelectionCase{"AFileNameThatCannotBeReadEndsQuietly", {"filename"}, R"(C:\cat.bmp)", nullptr}),
    RowName());

} // namespace
