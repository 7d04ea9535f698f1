#include "regchange/reg_file.h"

#include "fakes.h"
#include "shell/runtime_failure.h"

#include "row_name.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

TEST(WriteRegFile, RunsEveryUnitInOrder)
{
    EventLog log;
    FakeRegFileOutput output(log);
    WriteRegFile(output, R"(C:\Tools\Velmora.reg)", "[Paint]", "");
    EXPECT_EQ(log, (EventLog{R"(create C:\Tools\Velmora.reg)", "line REGEDIT4", "line ", "line [Paint]", "line ",
                             "close"}));
}

struct CheckCase
{
    const char* name;
    KeyPathPieces pieces;
    const char* keyPath;
    const char* valueLine;
    std::int32_t failure; // 0: accepted
    const char* fieldNamed;
};

class CheckRegFileEntryTable : public testing::TestWithParam<CheckCase>
{
};

TEST_P(CheckRegFileEntryTable, RefusesWhatRegeditWouldMisreadBeforeAnyFileIsTouched)
{
    const CheckCase& c = GetParam();
    EventLog log;
    FakeRegFileOutput output(log);
    try
    {
        CheckRegFileEntry(c.pieces, c.keyPath, c.valueLine, output);
        EXPECT_EQ(c.failure, 0) << "accepted an entry that must be refused";
    }
    catch (const RuntimeFailure& failure)
    {
        EXPECT_EQ(failure.Number(), c.failure);
        EXPECT_NE(failure.Description().find("nothing was written"), std::string::npos) << failure.Description();
        if (c.fieldNamed)
        {
            EXPECT_NE(failure.Description().find(c.fieldNamed), std::string::npos) << failure.Description();
        }
    }
    EXPECT_TRUE(log.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckRegFileEntryTable,
    testing::Values(
        CheckCase{"Ordinary", {"HKEY_CURRENT_USER", "Paint", "List"}, R"([HKEY_CURRENT_USER\Paint\List])",
                  R"("File1"="x")", 0, nullptr},
        CheckCase{"MinusInsideIsHarmless", {"HKEY-X", "-Paint", ""}, R"([HKEY-X\-Paint])", "", 0, nullptr},
        CheckCase{"LeadingMinusInLocation", {" -HKEY_CURRENT_USER", "Paint", ""}, R"([-HKEY_CURRENT_USER\Paint])",
                  "", kErrInvalidPropertyValue, "the location"},
        CheckCase{"LeadingMinusInApplication", {" ", " -Paint", "List"}, R"([-Paint\List])", "",
                  kErrInvalidPropertyValue, "the application name"},
        CheckCase{"LeadingMinusInSection", {"", "", "-List"}, "[-List]", "", kErrInvalidPropertyValue,
                  "the section"},
        CheckCase{"UnencodableInKeyPath", {"HKEY_CURRENT_USER", "\xCE\xA9", ""}, "[HKEY_CURRENT_USER\\\xCE\xA9]", "",
                  kErrNoCodePageMapping, nullptr},
        CheckCase{"UnencodableInValue", {"HKEY_CURRENT_USER", "", ""}, "[HKEY_CURRENT_USER]",
                  "\"File1\"=\"\xCE\xA9\"", kErrNoCodePageMapping, nullptr}),
    RowName());

} // namespace
