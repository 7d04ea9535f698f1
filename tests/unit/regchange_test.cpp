// The Save command with fakes for its ports, the entry it composes, and its files' texts.
#include "regchange/save_command.h"
#include "regchange/undo_file.h"
#include "transaction/staged_files.h"

#include "fakes.h"
#include "reg_grammar.h"

#include <gmock/gmock.h>

using namespace velmora;
using namespace velmora::testing_support;
using namespace std::string_literals;

namespace
{

constexpr const char* kKeyBelowRoot = R"(Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List)";
const std::string kMessage = "message error [(app title)] Error Number: ";

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
    std::optional<std::string> shortFolderLater = {}; // once the save has waited
    bool holds = true;
};

// A save refused before its first effect: one message, and nothing else happens.
const std::string k380 = "380 Invalid property value: the ";
SaveCase Refused(const char* name, Field field, std::string text, const std::string& why, std::string number = k380)
{
    return {name, {{field, std::move(text)}}, {kMessage + number + why + "; nothing was written"}};
}

// A program folder that the shell would not open as exactly that folder, in any form: refused.
SaveCase InFolder(const char* name, const std::string& folder, std::string shortForm, const std::string& message)
{
    return {name, {}, {"short [" + folder + "]", kMessage + k380 + message}, {}, folder, std::move(shortForm)};
}
SaveCase Failing(const char* name, const char* operation, std::int32_t number, EventLog events)
{
    return {name, {}, std::move(events), {{operation, number}}};
}
const std::string kPercent = "program's folder holds '%', which the shell would read as the name of a setting and "
                             "open another folder's Velmora.reg; ";
// The folder held through its short form: the rest of the row from its events on.
SaveCase Shortened(const char* name, EventLog events, std::optional<std::string> later, bool holds = true)
{
    return {name, {}, std::move(events), {}, R"(C:\a%PATH%b)", R"(C:\APATH~1)", std::move(later), holds};
}
const std::string kLineBreak = " holds a line break or a NUL character, which a registration file cannot carry";
const std::string kNoRoot = " must begin with a registry root such as HKEY_CURRENT_USER";

using SaveCommandTable = testing::TestWithParam<SaveCase>;

TEST_P(SaveCommandTable, StoresAsTypedWritesWhatTheFieldsAddressAndEndsWhereAFailureMust)
{
    EventLog events;
    FakeSaveView view{events};
    FakeDesktop desktop{events};
    FakeSettingsStore settings{events};
    FakeRegFileOutput file{events};
    FakeRegistry registry{events};
    for (const auto& [field, text] : GetParam().fields)
        view.fields[field] = text;
    for (const auto& [operation, number] : GetParam().plan)
        for (LoggedFake* fake : std::initializer_list<LoggedFake*>{&desktop, &file, &registry})
            fake->Fail(operation, number);
    std::tie(desktop.folder, desktop.shortFolder, desktop.shortFolderLater, desktop.holds) =
        std::tie(GetParam().folder, GetParam().shortFolder, GetParam().shortFolderLater, GetParam().holds);
    cmdSaveToRegistry_Click(view, {desktop, settings, file, registry});
    const EventLog& expected = GetParam().events;
    // The row's events follow one another in the log; a refusal's message is all that happens.
    EXPECT_TRUE(expected.front().starts_with("message") ? events == expected
                                                        : !std::ranges::search(events, expected).empty())
        << testing::PrintToString(events);
    if (expected.back().starts_with("status") || expected.back().starts_with("message"))
    {
        EXPECT_EQ(events.back(), expected.back()) << "nothing follows the status or a message";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveCommandTable,
    testing::Values(
        SaveCase{"AllThreeBlankWritesNothingAndSaysSo",
                 {{Field::Location, " "}, {Field::Application, ""}, {Field::Section, "  "}},
                 {R"(store [] [  ] [File1] [C:\Pictures\cat.bmp])", "status"s.append(kNotCreatedStatus)}},
        SaveCase{"TheOldValueIsReadUnderTheRootTyped",
                 {{Field::Location, R"(hklm\Software)"}},
                 {R"(read HKEY_LOCAL_MACHINE [Software\Paint\Recent File List] [File1])",
                  R"(create utf16 C:\Tools\Velmora-undo.reg)", "line Windows Registry Editor Version 5.00", "line ",
                  R"(line [HKEY_LOCAL_MACHINE\Software\Paint\Recent File List])", R"(line "File1"=-)"}},
        SaveCase{"ABlankValueReadsNothingAndUndoesNoValue",
                 {{Field::Value, "   "}},
                 {R"(create utf16 C:\Tools\Velmora-undo.reg)", "line Windows Registry Editor Version 5.00", "line ",
                  "line [HKEY_CURRENT_USER\\"s + kKeyBelowRoot + "]", "close", R"(create C:\Tools\Velmora.reg)"}},
        Failing("AWaitForTheTurnThatRunsOutEndsTheSaveBeforeTheStore", "reserve", kErrPermissionDenied,
                {R"(reserve [C:\Tools\Velmora-undo.reg] [C:\Tools\Velmora.reg])", kMessage + "70 Permission denied"}),
        Failing("AFileNotInPlaceEndsTheCommandWhateverItsNumber", "close", kErrPathFileAccess,
                {"close", "release", kMessage + "75 Path/File access error"}),
        Failing("AnOldValueThatCannotBeReadWritesNothing", "read", kErrInvalidArgument,
                {"read HKEY_CURRENT_USER ["s + kKeyBelowRoot + "] [File1]", "release",
                 kMessage + "5 Invalid procedure call or argument"}),
        InFolder("AFolderWithPercentInEveryFormIsRefused", R"(C:\a%PATH%b)", R"(C:\a%PATH%b)",
                 kPercent + "nothing was written"),
        InFolder("AFolderTooLongForTheShellWithoutAShortFormIsRefused", "C:\\" + std::string(245, 'f'), "",
                 "path of Velmora.reg is too long for the shell to open it; nothing was written"), // 260 in all
        Failing("SkippedFailureOfTheShellRequestLeavesResultZero", "shell", kErrInvalidArgument,
                {"commit",
                 R"(shell 4660 open [C:\Tools\Velmora.reg] [] [] 1 held [C:\Tools\Velmora.reg] for regedit.exe)",
                 "release", "message warning [Error] Out of memory or resources",
                 R"(status Reg file created as : C:\Tools\Velmora.reg)"}),
        // The shell is handed the short form, checked again right before: the file held is this folder's.
        Shortened("AShortFormThatNoLongerNamesTheFolderAfterTheWaitsIsNotOpened",
                  {"commit", R"(short [C:\a%PATH%b])", "release",
                   kMessage + k380 + kPercent + "it was written but not opened"},
                  ""),
        Shortened("AFileThatCannotBeHeldSaysSo",
                  {R"(short [C:\a%PATH%b])",
                   R"(shell 4660 open [C:\APATH~1\Velmora.reg] [] [] 1 held [C:\a%PATH%b\Velmora.reg] for regedit.exe)",
                   "release", R"(status Reg file created as : C:\a%PATH%b\Velmora.reg)"s.append(kNotHeldStatusSuffix)},
                  {}, false),
        Refused("ApplicationCr", Field::Application, "Paint\r[-HKCU]", "application name" + kLineBreak),
        Refused("SectionNul", Field::Section, std::string("List\0x", 6), "section" + kLineBreak),
        Refused("KeyCrLf", Field::Key, "File1\r\n\"x\"=-", "key" + kLineBreak),
        Refused("ValueLf", Field::Value, "cat.bmp\n[-HKEY_CURRENT_USER]", "value" + kLineBreak),
        Refused("UnknownRoot", Field::Location, R"(HKEY_CURRENT_USERS\Software)", "location" + kNoRoot),
        Refused("TheApplicationFieldIsNamedWhenTheLocationIsBlank", Field::Location, "", "application name" + kNoRoot),
        Refused("LeadingBackslash", Field::Location, R"(\HKEY_CURRENT_USER\Software)", "location" + kNoRoot),
        Refused("LeadingMinusWouldDeleteTheKey", Field::Location, R"( -HKCU\Software)",
                "location begins with '-', which would make the registry editor delete the key"),
        Refused("EmptyKeyNameAfterTheRoot", Field::Location, R"(HKCU\\Software)",
                "location has a backslash right after the registry root, which names a key without a name"),
        Refused("KeyNameBeyond255", Field::Application, "Paint\\" + std::string(255, 'k') + "\xC3\xA9",
                "application name holds a key name longer than 255 characters, the registry's limit"),
        Refused("ValueNameBeyond16383", Field::Key, std::string(16383, 'n') + "\xF0\x9F\x98\x80",
                "key is longer than 16383 characters, the registry's limit for a value name"),
        Refused("UnrepresentableValue", Field::Value, "C:\\\xCE\xA9.bmp",
                "No mapping for the Unicode character exists in the target multi-byte code page", "1113 ")),
    RowName());

TEST(IsUsableSettingsName, RefusesEmptyPathComponents)
{
    EXPECT_TRUE(IsUsableSettingsName(R"(HKCU\Software)"));
    for (const char* name : {"", R"(\Paint)", R"(Paint\)", R"(HKCU\\Paint)"})
        EXPECT_FALSE(IsUsableSettingsName(name)) << name;
}

// The fuzz target checks the same property on generated fields for a bounded time in every test run.
TEST(ComposeSaveEntry, TrickySavesAreRefusedWholeOrReadBackAsTyped)
{
    for (const SaveFields& fields : std::initializer_list<SaveFields>{
             {R"(HKCU\Software)", "", "List", R"(say "hi"\)", R"(  \\server\share\\a\ )"},
             {R"(hkey_users\)", "", "", "\ta\t", "[hklm@"},
             {"", " -HKCU", "List", "@", "="},
             {R"(HKEY_CURRENT_USER\\x)", "", "", "k", "v"},
             {"HKLM", "App", "List]\r\n[-HKEY_CURRENT_USER", "k", "v"},
             {"HKCR", "", "", "k", std::string("v\0", 2)},
             {"HKCU", "", "", "k", R"(\\\)"}, // backslashes alone are no UNC path
             {"HKCU", std::string(254, 'k') + "\xC3\xA9", "", std::string(16382, 'n') + "\xC3\xA9", "at both limits"}})
        EXPECT_EQ(SavePropertyFault(fields), "") << testing::PrintToString(
            std::vector{fields.location, fields.application, fields.section, fields.key, fields.value});
}

// Each failure of the files says why, what was kept, or where the old bytes are.
TEST(FileFailures, SayWhyAndWhatWasKept)
{
    using namespace transaction;
    const std::string held = "70 Permission denied: another program still has Velmora.reg or Velmora-undo.reg open";
    const FileFailure diskFull(FileFault::DiskFull, RuntimeFailure(kErrDiskFull));
    for (const auto& [explained, expected] : std::initializer_list<std::pair<RuntimeFailure, std::string>>{
             {ExplainedFileFailure(WaitRanOut(WaitReason::AnotherSave)),
              "70 Permission denied: another Velmora is still saving in this folder; nothing was written"},
             {ExplainedFileFailure(WaitRanOut(WaitReason::Reader)), held},
             {ExplainedFileFailure(FileFailure(FileFault::Held, RuntimeFailure(kErrPermissionDenied))), held},
             {ExplainedFileFailure(FileFailure(FileFault::Denied, RuntimeFailure(kErrPathFileAccess))),
              "75 Path/File access error: the program's folder, Velmora.reg or Velmora-undo.reg does not let this user "
              "write there; neither file was replaced"},
             {ExplainedFileFailure(RestoreFailed(diskFull, R"(C:\T\Velmora.reg)", R"(C:\T\Velmora.reg.9-1-1.old)")),
              R"(61 Disk full; Velmora.reg could not be put back: its old bytes are in C:\T\Velmora.reg.9-1-1.old)"},
             {ExplainedFileFailure(diskFull), "61 Disk full"},
         })
        EXPECT_THAT(std::to_string(explained.Number()) + " " + explained.Description(), testing::StartsWith(expected));
    EXPECT_THAT(NoFreeTemporaryName(100).what(),
                testing::AllOf(testing::HasSubstr("all 100 names"), testing::HasSubstr("old files are kept")));
}

// Every type, and text that is not well-formed, is proved by a round trip through the real registry
// editor; here, the edges that it does not reach and the note on text made well-formed.
TEST(UndoFileLines, PutBackTheOldTypeAndBytesOrTextMadeWellFormed)
{
    // Each row: its name, the old value, its line, and what a value that is not well-formed text needed.
    for (const auto& [name, old, line, added] :
         std::initializer_list<std::tuple<const char*, RegistryValue, const char*, const char*>>{
             {"TextOfCharactersOfEveryLength", RegistryValue{1, Utf16(u"\u07FF\u0800\u65E5\U00010000\U0010FFFF\0"s)},
              "\"\xDF\xBF\xE0\xA0\x80\xE6\x97\xA5\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\"", nullptr},
             {"TextWithAnUnpairedHighSurrogateAsHex", RegistryValue{1, Utf16(u"\xD800\x61\0"s)},
              "hex(1):00,d8,61,00,00,00", nullptr},
             {"OneByteIsMadeACharacter", RegistryValue{1, "a"}, R"("a")",
              "a zero byte to make whole characters and a final zero character"},
             {"EmptyMultiString", RegistryValue{7, ""}, "hex(7):00,00,00,00", "two final zero characters"},
             {"TextWithALoneSurrogateAsHex", RegistryValue{1, Utf16(u"\xDC00\0"s)}, "hex(1):00,dc,00,00", nullptr},
             {"TextWithAZeroBeforeItsOwnAsHex", RegistryValue{1, Utf16(u"a\0\0"s)}, "hex(1):61,00,00,00,00,00",
              nullptr},
             {"Dword", RegistryValue{4, std::string("\x78\x56\x34\x12", 4)}, "dword:12345678", nullptr},
             {"DwordOfAnotherSizeAsHex", RegistryValue{4, std::string("\x01\x02", 2)}, "hex(4):01,02", nullptr},
             {"TypeBeyondNine", RegistryValue{0x1234, "\x01"}, "hex(1234):01", nullptr}})
    {
        std::vector<std::string> expected = {"Windows Registry Editor Version 5.00", "", "[K]"};
        if (added)
            expected.push_back("; The old value was not well-formed text; "s + added +
                               " made it one the registry editor can hold.");
        expected.push_back(R"("File \"1\"\\x"=)"s + line);
        EXPECT_EQ(UndoFileLines("[K]", R"(File "1"\x)", old), expected) << name;
    }
}

} // namespace
