#include "regchange/save_command.h"

#include "fakes.h"
#include "row_name.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

constexpr const char* kStartKeyPath =
    R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List])";
constexpr const char* kStartAppPath = R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint)";
constexpr const char* kFile = R"(C:\Tools\Velmora.reg)";
constexpr const char* kShell = R"(shell 4660 open [C:\Tools\Velmora.reg] [] [] 1)";
constexpr const char* kCreatedStatus = R"(status Reg file created as : C:\Tools\Velmora.reg)";

class SaveCommand : public testing::Test
{
protected:
    EventLog log;
    FakeSaveView view{log};
    FakeDesktop desktop{log};
    FakeSettingsStore settings{log};
    FakeRegFileOutput file{log};

    EventLog Run()
    {
        cmdSaveToRegistry_Click(view, {desktop, settings, file});
        return log;
    }

    static EventLog FileWritten(const std::string& keyPath, const std::string& valueLine)
    {
        return {std::string("create ") + kFile, "line REGEDIT4", "line ", "line " + keyPath, "line " + valueLine,
                "close"};
    }
};

EventLog Concat(std::initializer_list<EventLog> parts)
{
    EventLog all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(SaveCommand, StartUpExampleStoresWritesOpensAndReports)
{
    EXPECT_EQ(Run(), Concat({{std::string("store [") + kStartAppPath + "] [Recent File List] [File1] [C:\\Pictures\\cat.bmp]"},
                             FileWritten(kStartKeyPath, R"("File1"="C:\\Pictures\\cat.bmp")"),
                             {kShell, kCreatedStatus}}));
}

struct FieldCase
{
    const char* name;
    std::map<Field, std::string> fields;
    std::string store;
    std::string keyPath;   // empty: no file is written
    std::string valueLine;
};

class SaveCommandFields : public SaveCommand, public testing::WithParamInterface<FieldCase>
{
};

TEST_P(SaveCommandFields, ComposesTheFileFromTheFieldsAndPassesOverStoreRefusals)
{
    const FieldCase& c = GetParam();
    for (const auto& [field, text] : c.fields)
        view.fields[field] = text;

    EventLog expected{"store " + c.store};
    if (c.keyPath.empty())
    {
        expected.push_back(std::string("status") + std::string(kNotCreatedStatus));
    }
    else
    {
        expected = Concat({expected, FileWritten(c.keyPath, c.valueLine), {kShell, kCreatedStatus}});
    }
    EXPECT_EQ(Run(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveCommandFields,
    testing::Values(
        FieldCase{"LocationBlank",
                  {{Field::Location, "  "}},
                  R"([Paint] [Recent File List] [File1] [C:\Pictures\cat.bmp])",
                  R"([Paint\Recent File List])",
                  R"("File1"="C:\\Pictures\\cat.bmp")"},
        FieldCase{"LocationAndApplicationBlankStoreRefuses",
                  {{Field::Location, ""}, {Field::Application, " "}},
                  R"([] [Recent File List] [File1] [C:\Pictures\cat.bmp])",
                  "[Recent File List]",
                  R"("File1"="C:\\Pictures\\cat.bmp")"},
        FieldCase{"SectionEmptyStoreRefuses",
                  {{Field::Section, ""}},
                  std::string("[") + kStartAppPath + R"(] [] [File1] [C:\Pictures\cat.bmp])",
                  std::string("[") + kStartAppPath + "]",
                  R"("File1"="C:\\Pictures\\cat.bmp")"},
        FieldCase{"SectionOfSpacesGoesToTheStoreAsTyped",
                  {{Field::Section, "   "}},
                  std::string("[") + kStartAppPath + R"(] [   ] [File1] [C:\Pictures\cat.bmp])",
                  std::string("[") + kStartAppPath + "]",
                  R"("File1"="C:\\Pictures\\cat.bmp")"},
        FieldCase{"AllThreeBlankWritesNothing",
                  {{Field::Location, " "}, {Field::Application, ""}, {Field::Section, "  "}},
                  R"([] [  ] [File1] [C:\Pictures\cat.bmp])",
                  "",
                  ""},
        FieldCase{"KeyWithSpacesAround",
                  {{Field::Key, " File1 "}},
                  std::string("[") + kStartAppPath + R"(] [Recent File List] [ File1 ] [C:\Pictures\cat.bmp])",
                  kStartKeyPath,
                  R"(" File1 "="C:\\Pictures\\cat.bmp")"},
        FieldCase{"BlankValueLeavesLineFourEmpty",
                  {{Field::Value, "   "}},
                  std::string("[") + kStartAppPath + "] [Recent File List] [File1] [   ]",
                  kStartKeyPath,
                  ""},
        FieldCase{"BlankKeyLeavesLineFourEmpty",
                  {{Field::Key, ""}},
                  std::string("[") + kStartAppPath + R"(] [Recent File List] [] [C:\Pictures\cat.bmp])",
                  kStartKeyPath,
                  ""}),
    RowName());

TEST_F(SaveCommand, ReadOnlyFileIsPassedOverThenTheFirstWriteEndsTheCommandWith52)
{
    file.failures.Fail("create", kErrPathFileAccess);
    file.failures.Fail("line", kErrBadFileNameOrNumber);
    const EventLog events = Run();
    EXPECT_EQ(EventLog(events.begin() + 1, events.end()),
              (EventLog{std::string("create ") + kFile, "line REGEDIT4",
                        "message 16 [(app title)] Error Number: 52 Bad file name or number"}));
}

TEST_F(SaveCommand, LockedFileEndsTheCommandWith70BeforeAnyShellRequest)
{
    file.failures.Fail("create", kErrPermissionDenied);
    const EventLog events = Run();
    EXPECT_EQ(EventLog(events.begin() + 1, events.end()),
              (EventLog{std::string("create ") + kFile, "message 16 [(app title)] Error Number: 70 Permission denied"}));
}

TEST_F(SaveCommand, ShellFailureIsReportedAndTheStatusStillSet)
{
    desktop.shellResult = 31;
    const EventLog events = Run();
    EXPECT_EQ(EventLog(events.end() - 3, events.end()),
              (EventLog{kShell, "message 48 [Error] No associated application", kCreatedStatus}));
}

TEST_F(SaveCommand, ShellSuccessShowsNothing)
{
    desktop.shellResult = 33;
    const EventLog events = Run();
    EXPECT_EQ(EventLog(events.end() - 2, events.end()), (EventLog{kShell, kCreatedStatus}));
}

TEST_F(SaveCommand, SkippedFailureOfTheShellRequestLeavesResultZero)
{
    desktop.failures.Fail("shell", kErrInvalidArgument);
    const EventLog events = Run();
    EXPECT_EQ(EventLog(events.end() - 3, events.end()),
              (EventLog{kShell, "message 48 [Error] Out of memory or resources", kCreatedStatus}));
}

struct RefusalCase
{
    const char* name;
    Field field;
    std::string text;
    std::int32_t number;
};

class SaveCommandRefusals : public SaveCommand, public testing::WithParamInterface<RefusalCase>
{
};

TEST_P(SaveCommandRefusals, NothingIsWrittenAndTheStatusStaysAsItWas)
{
    view.fields[GetParam().field] = GetParam().text;
    const EventLog events = Run();
    ASSERT_EQ(events.size(), 2u) << testing::PrintToString(events);
    EXPECT_TRUE(events[0].starts_with("store ["));
    EXPECT_TRUE(events[1].starts_with("message 16 [(app title)] Error Number: " + std::to_string(GetParam().number)))
        << events[1];
}

INSTANTIATE_TEST_SUITE_P(Table, SaveCommandRefusals,
                         testing::Values(RefusalCase{"UnrepresentableValue", Field::Value, "C:\\\xCE\xA9.bmp",
                                                     kErrNoCodePageMapping},
                                         RefusalCase{"UnrepresentableSection", Field::Section, "\xCE\xA9",
                                                     kErrNoCodePageMapping},
                                         RefusalCase{"LeadingMinusWouldDeleteTheKey", Field::Location,
                                                     R"( -HKEY_CURRENT_USER\Software)", kErrInvalidPropertyValue}),
                         RowName());

} // namespace
