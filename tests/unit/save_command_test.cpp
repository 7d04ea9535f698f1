#include "regchange/save_command.h"

#include "fakes.h"
#include "reg_grammar.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;

namespace
{

constexpr const char* kKeyBelowRoot = R"(Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List)";
constexpr const char* kStartKeyPath =
    R"([HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List])";
constexpr const char* kShell = R"(shell 4660 open [C:\Tools\Velmora.reg] [] [] 1 held for regedit.exe)";
constexpr const char* kCreatedStatus = R"(status Reg file created as : C:\Tools\Velmora.reg)";
constexpr const char* kMessage = "message error [(app title)] Error Number: ";

// At most `count` events from the first one that starts with `first` on.
EventLog From(const EventLog& log, const std::string& first, std::size_t count = SIZE_MAX)
{
    const auto begin = std::find_if(log.begin(), log.end(), [&](const auto& e) { return e.starts_with(first); });
    return EventLog(begin, begin + static_cast<std::ptrdiff_t>(std::min<std::size_t>(count, log.end() - begin)));
}

class SaveCommand : public testing::Test
{
protected:
    EventLog log;
    FakeSaveView view{log};
    FakeDesktop desktop{log};
    FakeSettingsStore settings{log};
    FakeRegFileOutput file{log};
    FakeRegistry registry{log};

    EventLog Run()
    {
        cmdSaveToRegistry_Click(view, {desktop, settings, file, registry});
        return log;
    }
    void Fail(const std::string& operation, std::int32_t number)
    {
        for (LoggedFake* fake : std::initializer_list<LoggedFake*>{&desktop, &file, &registry})
            fake->Fail(operation, number);
    }
};

// Start-up fields but for some, and failures planned for some operations (the undo file's units
// come first, so a planned failure hits that file's unit first).
struct SaveCase
{
    const char* name;
    std::map<Field, std::string> fields;
    EventLog events; // from the first that differs from the start-up example on
    std::vector<std::pair<const char*, std::int32_t>> plan = {};
    std::string folder = R"(C:\Tools)";
    std::string shortFolder = {};
};

class SaveCommandTable : public SaveCommand, public testing::WithParamInterface<SaveCase>
{
};

TEST_P(SaveCommandTable, StoresAsTypedWritesWhatTheFieldsAddressAndEndsWhereAFailureMust)
{
    for (const auto& [field, text] : GetParam().fields)
        view.fields[field] = text;
    for (const auto& [operation, number] : GetParam().plan)
        Fail(operation, number);
    desktop.folder = GetParam().folder;
    desktop.shortPaths[GetParam().folder] = GetParam().shortFolder;
    desktop.shellResult = 31;
    const EventLog events = Run();
    const EventLog& expected = GetParam().events;
    EXPECT_EQ(From(events, expected.front(), expected.size()), expected);
    if (expected.back().starts_with("status") || expected.back().starts_with("message"))
    {
        EXPECT_EQ(events.back(), expected.back()) << "nothing follows the status or a message";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveCommandTable,
    testing::Values(
        SaveCase{"AStoreRefusalIsPassedOver",
                 {{Field::Section, ""}},
                 {R"(create utf16 C:\Tools\Velmora-undo.reg)", "line Windows Registry Editor Version 5.00", "line ",
                  R"(line [HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint])"}},
        SaveCase{
            "AllThreeBlankWritesNothingAndSaysSo",
            {{Field::Location, " "}, {Field::Application, ""}, {Field::Section, "  "}},
            {R"(store [] [  ] [File1] [C:\Pictures\cat.bmp])", std::string("status") + std::string(kNotCreatedStatus)}},
        SaveCase{
            "TheKeyKeepsItsSpaces",
            {{Field::Key, " File1 "}},
            {R"(reserve [C:\Tools\Velmora-undo.reg] [C:\Tools\Velmora.reg])",
             R"(store [HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint] [Recent File List] [ File1 ] [C:\Pictures\cat.bmp])",
             std::string("read HKEY_CURRENT_USER [") + kKeyBelowRoot + "] [ File1 ]"}},
        SaveCase{"TheOldValueIsReadUnderTheRootTyped",
                 {{Field::Location, R"(hklm\Software)"}},
                 {R"(read HKEY_LOCAL_MACHINE [Software\Paint\Recent File List] [File1])",
                  R"(create utf16 C:\Tools\Velmora-undo.reg)", "line Windows Registry Editor Version 5.00", "line ",
                  R"(line [HKEY_LOCAL_MACHINE\Software\Paint\Recent File List])", R"(line "File1"=-)"}},
        SaveCase{"ABlankValueReadsNothingAndUndoesNoValue",
                 {{Field::Value, "   "}},
                 {R"(create utf16 C:\Tools\Velmora-undo.reg)", "line Windows Registry Editor Version 5.00", "line ",
                  std::string("line ") + kStartKeyPath, "close", R"(create C:\Tools\Velmora.reg)"}},
        SaveCase{"ReadOnlyFilePassedOverThenTheFirstWriteEndsWith52",
                 {},
                 {R"(create utf16 C:\Tools\Velmora-undo.reg)", "line Windows Registry Editor Version 5.00", "release",
                  std::string(kMessage) + "52 Bad file name or number"},
                 {{"create", kErrPathFileAccess}, {"line", kErrBadFileNameOrNumber}}},
        SaveCase{"HeldOpenEndsWith70BeforeTheShell",
                 {},
                 {"commit", "release", std::string(kMessage) + "70 Permission denied"},
                 {{"commit", kErrPermissionDenied}}},
        SaveCase{"AWaitForTheTurnThatRunsOutEndsTheSaveBeforeTheStore",
                 {},
                 {R"(reserve [C:\Tools\Velmora-undo.reg] [C:\Tools\Velmora.reg])",
                  std::string(kMessage) + "70 Permission denied"},
                 {{"reserve", kErrPermissionDenied}}},
        SaveCase{"AFileNotInPlaceEndsTheCommandWhateverItsNumber",
                 {},
                 {"close", "release", std::string(kMessage) + "75 Path/File access error"},
                 {{"close", kErrPathFileAccess}}},
        SaveCase{"AnOldValueThatCannotBeReadWritesNothing",
                 {},
                 {std::string("read HKEY_CURRENT_USER [") + kKeyBelowRoot + "] [File1]", "release",
                  std::string(kMessage) + "5 Invalid procedure call or argument"},
                 {{"read", kErrInvalidArgument}}},
        SaveCase{"AFolderWithPercentReachesTheShellInItsShortForm",
                 {},
                 {"commit", R"(shell 4660 open [C:\VUSER~1\Velmora.reg] [] [] 1 held for regedit.exe)", "release",
                  "message warning [Error] No associated application",
                  R"(status Reg file created as : C:\v-%USERNAME%\Velmora.reg)"},
                 {},
                 R"(C:\v-%USERNAME%)",
                 R"(C:\VUSER~1)"},
        SaveCase{"AFolderWithPercentInEveryFormIsRefused",
                 {},
                 {R"(short [C:\a%PATH%b])",
                  std::string(kMessage) + "380 Invalid property value: the program's folder holds '%', which the shell "
                                          "would read as the name of a setting and open another folder's Velmora.reg; "
                                          "nothing was written"},
                 {},
                 R"(C:\a%PATH%b)",
                 R"(C:\a%PATH%b)"},
        SaveCase{"AFolderTooLongForTheShellWithoutAShortFormIsRefused",
                 {},
                 {"short [C:\\" + std::string(245, 'f') + "]",
                  std::string(kMessage) + "380 Invalid property value: the path of Velmora.reg is too long for the "
                                          "shell to open it; nothing was written"},
                 {},
                 "C:\\" + std::string(245, 'f')}, // C:\ and \Velmora.reg make 260 characters
        SaveCase{"ShellFailureIsReportedAndTheStatusStillSet",
                 {},
                 {kShell, "release", "message warning [Error] No associated application", kCreatedStatus}},
        SaveCase{"SkippedFailureOfTheShellRequestLeavesResultZero",
                 {},
                 {kShell, "release", "message warning [Error] Out of memory or resources", kCreatedStatus},
                 {{"shell", kErrInvalidArgument}}}),
    RowName());

struct RefusalCase
{
    const char* name;
    Field field;
    std::string text;
    std::string message;
};

const std::string kCannotCarry =
    " holds a line break or a NUL character, which a registration file cannot carry; nothing was written";
const std::string kNoRoot = " must begin with a registry root such as HKEY_CURRENT_USER; nothing was written";
const std::string kInvalid = "380 Invalid property value: the ";

const RefusalCase kRefusals[] = {
    {"LocationCr", Field::Location, "HKCU\r[-HKEY_CURRENT_USER\\Software", kInvalid + "location" + kCannotCarry},
    {"ApplicationLf", Field::Application, "Paint\n[-HKEY_CURRENT_USER]", kInvalid + "application name" + kCannotCarry},
    {"SectionNul", Field::Section, std::string("List\0x", 6), kInvalid + "section" + kCannotCarry},
    {"KeyCrLf", Field::Key, "File1\r\n\"x\"=-", kInvalid + "key" + kCannotCarry},
    {"ValueLf", Field::Value, "cat.bmp\n[-HKEY_CURRENT_USER]", kInvalid + "value" + kCannotCarry},
    {"UnknownRoot", Field::Location, R"(HKEY_CURRENT_USERS\Software)", kInvalid + "location" + kNoRoot},
    {"TheApplicationFieldIsNamedWhenTheLocationIsBlank", Field::Location, "", kInvalid + "application name" + kNoRoot},
    {"LeadingBackslash", Field::Location, R"(\HKEY_CURRENT_USER\Software)", kInvalid + "location" + kNoRoot},
    {"LeadingMinusWouldDeleteTheKey", Field::Location, R"( -HKEY_CURRENT_USER\Software)",
     kInvalid + "location begins with '-', which would make the registry editor delete the key; nothing was written"},
    {"EmptyKeyNameAfterTheRoot", Field::Location, R"(HKCU\\Software)",
     kInvalid + "location has a backslash right after the registry root, which names a key without a name; nothing "
                "was written"},
    {"KeyNameBeyond255", Field::Application, "Paint\\" + std::string(255, 'k') + "\xC3\xA9",
     kInvalid + "application name holds a key name longer than 255 characters, the registry's limit; nothing was "
                "written"},
    {"ValueNameBeyond16383", Field::Key, std::string(16383, 'n') + "\xF0\x9F\x98\x80",
     kInvalid + "key is longer than 16383 characters, the registry's limit for a value name; nothing was written"},
    {"UnrepresentableValue", Field::Value, "C:\\\xCE\xA9.bmp",
     "1113 No mapping for the Unicode character exists in the target multi-byte code page; nothing was written"},
};

class SaveCommandRefusals : public SaveCommand, public testing::WithParamInterface<RefusalCase>
{
};

TEST_P(SaveCommandRefusals, ShowOneMessageAndTouchNothingElse)
{
    view.fields[GetParam().field] = GetParam().text;
    EXPECT_EQ(Run(), EventLog{"message error [(app title)] Error Number: " + GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(Table, SaveCommandRefusals, testing::ValuesIn(kRefusals), RowName());

TEST(IsUsableSettingsName, RefusesEmptyPathComponents)
{
    EXPECT_TRUE(IsUsableSettingsName(R"(HKCU\Software)"));
    for (const char* name : {"", R"(\Paint)", R"(Paint\)", R"(HKCU\\Paint)"})
        EXPECT_FALSE(IsUsableSettingsName(name)) << name;
}

// The fuzz target checks the same property on generated fields for a bounded time in every test run.
TEST(ComposeSaveEntry, TrickySavesAreRefusedWholeOrReadBackAsTyped)
{
    const std::vector<SaveFields> saves = {
        {R"(HKCU\Software)", "", "List", R"(say "hi"\)", R"(  \\server\share\\a\ )"},
        {R"(hkey_users\)", "", "", "\ta\t", "[hklm@"},
        {"", " -HKCU", "List", "@", "="},
        {R"(HKEY_CURRENT_USER\\x)", "", "", "k", "v"},
        {"HKLM", "App", "List]\r\n[-HKEY_CURRENT_USER", "k", "v"},
        {"HKCR", "", "", "k", std::string("v\0", 2)},
        {"HKCU", std::string(254, 'k') + "\xC3\xA9", "", std::string(16382, 'n') + "\xC3\xA9", "at both limits"},
    };
    for (const SaveFields& fields : saves)
        EXPECT_EQ(SavePropertyFault(fields), "") << testing::PrintToString(
            std::vector{fields.location, fields.application, fields.section, fields.key, fields.value});
}

} // namespace
