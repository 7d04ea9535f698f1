#include "about/about_commands.h"
#include "about/about_layout.h"

#include "fakes.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

class FakeAbout : public AboutHost, public AboutView, public LoggedFake
{
public:
    using LoggedFake::LoggedFake;
    bool open = false;

    bool IsAboutOpen() const override { return open; }
    void CreateAbout() override
    {
        Record("create");
        open = true;
    }
    void ShowAbout() override { Record("show"); }
    void SetVersionText(std::string_view text) override { Record("version " + std::string(text)); }
};

class AboutCommand : public testing::Test
{
protected:
    EventLog log;
    FakeAbout about{log};
    FakeDesktop desktop{log};
};

TEST_F(AboutCommand, CreatesOnlyWhenNoneIsOpen)
{
    mnuAbout_Click(about, desktop);
    mnuAbout_Click(about, desktop);
    about.open = false; // closed by the user
    mnuAbout_Click(about, desktop);
    EXPECT_EQ(log, (EventLog{"create", "show", "show", "create", "show"}));
}

TEST_F(AboutCommand, ReportsEvenASkippableFailureAndEnds)
{
    about.Fail("create", kErrInvalidArgument);
    mnuAbout_Click(about, desktop);
    EXPECT_EQ(log,
              (EventLog{"create", "message error [(app title)] Error Number: 5 Invalid procedure call or argument"}));
}

TEST_F(AboutCommand, LoadStepReportsAFailureAndLeavesTheVersionEmpty)
{
    frmAbout_Load(about, desktop);
    desktop.Fail("identity", kErrInvalidUseOfNull);
    frmAbout_Load(about, desktop);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(log[0].starts_with("version  Version 1.0.1\r\n")) << log[0];
    EXPECT_EQ(log[1], "message error [(app title)] Error Number: 94 Invalid use of Null");
}

} // namespace
