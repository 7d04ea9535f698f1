#include "common/error_trap.h"

#include "fakes.h"
#include "row_name.h"

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
    bool nextStepRuns;
    const char* message; // nullptr: no message
};

class ErrorTrapTable : public testing::TestWithParam<TrapCase>
{
};

TEST_P(ErrorTrapTable, SkipsOrReportsAndEnds)
{
    const TrapCase& c = GetParam();
    EventLog log;
    FakeDesktop desktop(log);
    ErrorTrap trap(c.variant, desktop);

    trap.Step([&] { log.push_back("step 1"); });
    trap.Step([&] {
        c.failingStep();
        log.push_back("rest of the failing step");
    });
    trap.Step([&] { log.push_back("step 3"); });

    EventLog expected{"step 1"};
    if (c.message)
        expected.push_back(std::string("message 16 [(app title)] ") + c.message);
    if (c.nextStepRuns)
        expected.push_back("step 3");
    EXPECT_EQ(log, expected);
    EXPECT_EQ(trap.Ended(), !c.nextStepRuns);
}

auto Fails(std::int32_t number, std::string description = "")
{
    return [=] { throw RuntimeFailure(number, description); };
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorTrapTable,
    testing::Values(
        TrapCase{"StandardSkips5", TrapVariant::Standard, Fails(5, "x"), true, nullptr},
        TrapCase{"StandardSkips94", TrapVariant::Standard, Fails(94, "x"), true, nullptr},
        TrapCase{"StandardSkips75", TrapVariant::Standard, Fails(75, "x"), true, nullptr},
        TrapCase{"StandardReports53", TrapVariant::Standard, Fails(53, "File not found"), false,
                 "Error Number: 53 File not found"},
        TrapCase{"EmptyDescriptionKeepsTheSpace", TrapVariant::Standard, Fails(52), false, "Error Number: 52 "},
        TrapCase{"NegativeNumberKeepsItsSign", TrapVariant::Standard, Fails(-2147024891, "Access"), false,
                 "Error Number: -2147024891 Access"},
        TrapCase{"PlainReportsEvenSkippableNumbers", TrapVariant::Plain, Fails(5, "Invalid"), false,
                 "Error Number: 5 Invalid"},
        TrapCase{"PlainReports75", TrapVariant::Plain, Fails(75, "Path/File access error"), false,
                 "Error Number: 75 Path/File access error"},
        TrapCase{"ResumeNextSkipsEverything", TrapVariant::ResumeNext, Fails(52, "x"), true, nullptr},
        TrapCase{"OutOfMemoryIsFailure7", TrapVariant::Standard, [] { throw std::bad_alloc(); }, false,
                 "Error Number: 7 Out of memory"},
        TrapCase{"UnexpectedExceptionIsReportedNotLost", TrapVariant::Standard,
                 [] { throw std::logic_error("oops"); }, false, "Error Number: 51 Internal error: oops"}),
    RowName());

TEST(HandleTrappedError, ClearsTheCurrentErrorInBothBranchesOfTheStandardTrap)
{
    EventLog log;
    FakeDesktop desktop(log);
    for (const std::int32_t number : {75, 61})
    {
        CurrentError error{number, "description"};
        HandleTrappedError(error, TrapVariant::Standard, desktop);
        EXPECT_EQ(error.number, 0) << number;
        EXPECT_EQ(error.description, "") << number;
    }
}

TEST(ErrorTrap, AReportThatFailsEndsTheHandlerQuietly)
{
    struct BrokenDesktop : FakeDesktop
    {
        using FakeDesktop::FakeDesktop;
        void ShowMessage(std::string_view, int, std::optional<std::string_view>) override { throw std::bad_alloc(); }
    };
    EventLog log;
    BrokenDesktop desktop(log);
    ErrorTrap trap(TrapVariant::Standard, desktop);
    trap.Step([] { throw RuntimeFailure(61); });
    trap.Step([&] { log.push_back("later step"); });
    EXPECT_TRUE(trap.Ended());
    EXPECT_TRUE(log.empty());
}

} // namespace
