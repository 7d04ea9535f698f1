#include "app/file_selection.h"

#include "fakes.h"

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
    void SetCancelError(bool on) override { Record(std::string("cancel error ") + (on ? "on" : "off")); }
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

class FileSelection : public testing::Test
{
protected:
    EventLog log;
    FakeDialogAndField dialog{log};
    FakeDesktop desktop{log};

    void Run() { cmdSelectFile_Click(dialog, dialog, desktop); }
};

const EventLog kSetUpAndShow = {"title [ Open ]", "cancel error off", "filter [All Files (*.*)|*.*]", "show"};

TEST_F(FileSelection, ChosenNameReplacesTheValueUnchanged)
{
    dialog.nameAfterShow = R"(C:\My Pictures\Grüße "x".bmp)";
    Run();
    EventLog expected = kSetUpAndShow;
    expected.push_back(R"(value [C:\My Pictures\Grüße "x".bmp])");
    EXPECT_EQ(log, expected);
}

TEST_F(FileSelection, CancelLeavesTheValueAlone)
{
    Run();
    EXPECT_EQ(log, kSetUpAndShow);
}

TEST_F(FileSelection, FailuresArePassedOverWithoutAMessage)
{
    dialog.failures.Fail("title", kErrInternal);
    dialog.failures.Fail("filter", kErrInternal);
    dialog.nameAfterShow = R"(C:\cat.bmp)";
    Run();
    EventLog expected = kSetUpAndShow;
    expected.push_back(R"(value [C:\cat.bmp])");
    EXPECT_EQ(log, expected);
}

TEST_F(FileSelection, ADialogThatCannotBeShownLeavesItsEarlierNameToBeWrittenAgain)
{
    dialog.nameAfterShow = R"(C:\cat.bmp)";
    Run();
    log.clear();
    dialog.failures.Fail("show", kErrInternal);
    dialog.nameAfterShow = R"(C:\dog.bmp)";
    Run();
    EventLog expected = kSetUpAndShow;
    expected.push_back(R"(value [C:\cat.bmp])");
    EXPECT_EQ(log, expected);
}

TEST_F(FileSelection, AFileNameThatCannotBeReadEndsTheCommandQuietly)
{
    dialog.nameAfterShow = R"(C:\cat.bmp)";
    dialog.failures.Fail("filename", kErrInternal);
    Run();
    EXPECT_EQ(log, kSetUpAndShow);
}

} // namespace
