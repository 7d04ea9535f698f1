#include "shell/error_trap.h"

#include "fakes.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

struct TrapCase
{
    const char* name;
    TrapVariant variant;
    std::function<void()> failingStep;
    const char* message; // nullptr: no message, and the handler goes on
    StepKind kind = StepKind::Ordinary;
    bool reportFails = false; // the message cannot be shown: the handler ends all the same
};

class ErrorTrapTable : public testing::TestWithParam<TrapCase>
{
};

TEST_P(ErrorTrapTable, SkipsOrReportsOnceAndEnds)
{
    const TrapCase& c = GetParam();
    EventLog log;
    FakeDesktop desktop(log);
    if (c.reportFails)
        desktop.Fail("message", kErrOutOfMemory);
    ErrorTrap trap(c.variant, desktop);

    trap.Step([&] { log.push_back("step 1"); });
    trap.Step(
        [&] {
            c.failingStep();
            log.push_back("rest of the failing step");
        },
        c.kind);
    trap.Step([&] { log.push_back("step 3"); });

    EventLog expected{"step 1"};
    expected.push_back(c.message ? std::string("message error [(app title)] ") + c.message : "step 3");
    EXPECT_EQ(log, expected);
}

auto Fails(std::int32_t number, std::string description = "x")
{
    return [=] { throw RuntimeFailure(number, description); };
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorTrapTable,
    testing::Values(TrapCase{"StandardSkips5", TrapVariant::Standard, Fails(5), nullptr},
                    TrapCase{"StandardSkips94", TrapVariant::Standard, Fails(94), nullptr},
                    TrapCase{"StandardSkips75", TrapVariant::Standard, Fails(75), nullptr},
                    TrapCase{"StandardReports53", TrapVariant::Standard, Fails(53, "File not found"),
                             "Error Number: 53 File not found"},
                    TrapCase{"NegativeNumberAndEmptyDescription", TrapVariant::Standard, Fails(-2147024891, ""),
                             "Error Number: -2147024891 "},
                    TrapCase{"PlainReportsEvenSkippableNumbers", TrapVariant::Plain, Fails(5, "Invalid"),
                             "Error Number: 5 Invalid"},
                    TrapCase{"EssentialStepReportsEvenSkippableNumbers", TrapVariant::Standard, Fails(75, "Path"),
                             "Error Number: 75 Path", StepKind::Essential},
                    TrapCase{"ResumeNextSkipsEverything", TrapVariant::ResumeNext, Fails(52), nullptr},
                    TrapCase{"OutOfMemoryIsFailure7", TrapVariant::Standard, [] { throw std::bad_alloc(); },
                             "Error Number: 7 Out of memory"},
                    TrapCase{"AnotherExceptionIsReportedNotLost", TrapVariant::Standard,
                             [] { throw std::logic_error("oops"); }, "Error Number: 51 Internal error: oops"},
                    TrapCase{"NotEvenAnException", TrapVariant::Standard, [] { throw 42; },
                             "Error Number: 51 Internal error"},
                    TrapCase{"AReportThatFailsEndsTheHandlerQuietly", TrapVariant::Standard, Fails(61, "Disk full"),
                             "Error Number: 61 Disk full", StepKind::Ordinary, true}),
    RowName());

// The descriptions that no message of another test shows whole.
TEST(StandardDescription, NamesTheFailuresAUserMeets)
{
    const std::map<std::int32_t, std::string> descriptions = {
        {53, "File not found"},
        {61, "Disk full"},
        {76, "Path not found"},
        {380, "Invalid property value"},
        {1113, "No mapping for the Unicode character exists in the target multi-byte code page"},
        {1, ""}};
    for (const auto& [number, description] : descriptions)
        EXPECT_EQ(RuntimeFailure(number).Description(), description) << number;
    // A fault that reaches a window procedure is shown as the trap would show it.
    EXPECT_EQ(FailureMessage(std::make_exception_ptr(std::logic_error("boom"))),
              "Error Number: 51 Internal error: boom");
}

} // namespace
