// The error trap and the shell's result messages.
#include "shell/error_trap.h"
#include "shell/shell_result.h"

#include "fakes.h"

#include <functional>
#include <new>
#include <set>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

auto Fails(std::int32_t number, std::string description = "x")
{
    return [=] { throw RuntimeFailure(number, description); };
}

// A failure in the middle step under the standard trap: it goes on with the last step, or reports
// once and ends. The commands' tests show it passing over 5, the plain trap reporting 5, and resume-
// next mode.
TEST(ErrorTrap, SkipsOrReportsOnceAndEnds)
{
    // Each row: the failing step; the message, or none when the handler goes on; the step's kind; and whether
    // the message cannot be shown (the handler ends all the same).
    using enum StepKind;
    for (const auto& [failingStep, message, kind, reportFails] :
         std::initializer_list<std::tuple<std::function<void()>, const char*, StepKind, bool>>{
             {Fails(94), nullptr, Ordinary, false},
             {Fails(75), nullptr, Ordinary, false},
             {Fails(-2147024891, ""), "Error Number: -2147024891 ", Ordinary, false},
             {Fails(75, "Path"), "Error Number: 75 Path", Essential, false},
             {[] { throw std::bad_alloc(); }, "Error Number: 7 Out of memory", Ordinary, false},
             {[] { throw 42; }, "Error Number: 51 Internal error", Ordinary, false},
             {Fails(61, "Disk full"), "Error Number: 61 Disk full", Ordinary, true}})
    {
        EventLog log;
        FakeDesktop desktop(log);
        if (reportFails)
            desktop.Fail("message", kErrOutOfMemory);
        {
            ErrorTrap trap(TrapVariant::Standard, desktop);
            trap.Step([&] { log.push_back("step 1"); });
            trap.Step([&] { failingStep(), log.push_back("rest of the failing step"); }, kind);
            trap.Step([&] { log.push_back("step 3"); });
        } // the report comes as the trap goes
        EXPECT_EQ(log,
                  (EventLog{"step 1", message ? std::string("message error [(app title)] ") + message : "step 3"}));
    }
}

// A fault that no trap caught is shown in the trap's words, one box at a time: a fault that comes
// back under its own box (with every paint, say) is not shown again; the next fault is.
TEST(ShowFault, ShowsOneBoxAtATimeInTheTrapsWords)
{
    struct ReenteringDesktop : FakeDesktop
    {
        using FakeDesktop::FakeDesktop;
        void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override
        {
            FakeDesktop::ShowMessage(prompt, style, title);
            ShowFault(*this, std::make_exception_ptr(std::logic_error("under the box")));
        }
    };
    EventLog log;
    ReenteringDesktop desktop(log);
    ShowFault(desktop, std::make_exception_ptr(std::logic_error("boom")));
    ShowFault(desktop, std::make_exception_ptr(RuntimeFailure(kErrDiskFull)));
    EXPECT_EQ(log, (EventLog{"message error [(app title)] Error Number: 51 Internal error: boom",
                             "message error [(app title)] Error Number: 61 Disk full"}));
}

constexpr const char* kHelpDocument = R"(C:\Tools\VelmoraHelp.pdf)";

// What the message table must satisfy rather than a copy of it: every code of 32 or less has a
// message, a code with a row of its own a text of its own (0 and 8 differ), every other code
// "Unknown error" and its number; above 32, none. The help texts name the document for 2, 3 and 5.
TEST(ShellResultText, EveryFailureCodeHasAMessageAndASuccessNone)
{
    const std::set<std::int32_t> codesWithRows = {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32};
    const ShellMessageVariant help = ShellMessageVariant::Help(kHelpDocument);
    std::set<std::string> rowTexts;
    for (std::int32_t code = -2; code <= 32; ++code)
    {
        const std::string text = ShellResultText(code, ShellMessageVariant::General).value_or("");
        if (codesWithRows.contains(code))
            EXPECT_TRUE(!text.empty() && !text.starts_with("Unknown") && rowTexts.insert(text).second) << code;
        else
            EXPECT_EQ(text, "Unknown error " + std::to_string(code));
        const std::string helpText = ShellResultText(code, help).value_or("");
        EXPECT_EQ(helpText.find(kHelpDocument) != std::string::npos, code == 2 || code == 3 || code == 5) << code;
        EXPECT_TRUE(helpText.find(kHelpDocument) != std::string::npos || helpText == text) << code;
    }
    // Literal rows where the exact text is the point (code 3 is the help command's test).
    for (const auto& [why, code, exact] :
         {std::tuple{"TheProductsOwnTwoSpaces", 2, R"(File :C:\Tools\VelmoraHelp.pdf  not found)"},
          {"ThePathRunsIntoTheColon", 5, R"(File :C:\Tools\VelmoraHelp.pdf access denied)"},
          {"TheWholeNumberWithItsSign", INT32_MIN, "Unknown error -2147483648"}})
        EXPECT_EQ(ShellResultText(code, help), exact) << why;
    for (const std::int32_t code : {33, 34, INT32_MAX})
        EXPECT_EQ(ShellResultText(code, help), std::nullopt) << code;
}

} // namespace
