// The Save command with the real ports and the system's own regedit: each row saves a typed value
// over an old one of some kind; regedit merges Velmora.reg and the value arrives as the user meant
// it; then merging Velmora-undo.reg puts back the old value with its type and bytes, or none.
#include "regchange/reg_file_win32.h"
#include "regchange/save_command.h"
#include "regchange/settings_store_win32.h"
#include "registry/registry_reader_win32.h"
#include "win32/wide.h"
#include "test_helpers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

#include <functional>
#include <map>
#include <optional>
#include <thread>
#include <vector>

using namespace velmora;
using namespace velmora::testing_support;
using namespace std::string_literals;

namespace
{

constexpr const wchar_t* kTestKey = LR"(Software\VelmoraUndoTest)";

// One instance of the program, with its own desktop, files and turn. The folder's turn is a named
// mutex, which a thread owns, and a hold is a file handle's sharing: instances on two threads meet
// as two processes would.
struct Instance : RecordingDesktop, SaveView
{
    using RecordingDesktop::RecordingDesktop;
    std::map<Field, std::string> fields;
    std::function<void()> beforeOpen; // run once, as the shell is handed the file
    win32::Win32SettingsStore settings{LR"(Software\VelmoraTest\Settings)"};
    win32::Win32RegFileOutput file;
    win32::Win32RegistryReader registry;

    std::string FieldText(Field field) override { return fields.at(field); }
    void SetStatusText(std::string_view) override {}
    WindowRef Owner() override { return {}; }
    std::int32_t ShellOpenHeld(WindowRef owner, std::string_view path, std::string_view reader) override
    {
        if (beforeOpen)
            std::exchange(beforeOpen, nullptr)();
        return RecordingDesktop::ShellOpenHeld(owner, path, reader);
    }
    void Save(const std::string& section, const std::string& key, const std::string& value)
    {
        fields = {{Field::Location, R"(HKCU\Software\VelmoraUndoTest)"},
                  {Field::Application, "App"},
                  {Field::Section, section},
                  {Field::Key, key},
                  {Field::Value, value}};
        cmdSaveToRegistry_Click(*this, {*this, settings, file, registry});
    }
};

// Through the reader the save uses: a fault in it shows as a difference from the bytes the test
// stored with the registry's own call.
std::optional<RegistryValue> ReadBack(const std::wstring& key, const std::wstring& name)
{
    return win32::Win32RegistryReader().ReadValue(RegistryRoot::CurrentUser, win32::Narrow(key), win32::Narrow(name));
}

std::string Utf16(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

RegistryValue Text(const std::wstring& text)
{
    return {REG_SZ, Utf16(text + L'\0')};
}

// The shell has regedit merge in the background: polls for up to 15 s.
bool Arrives(const std::wstring& key, const std::wstring& name, const RegistryValue& expected)
{
    for (int attempt = 0; attempt < 300 && ReadBack(key, name) != expected; ++attempt)
        ::Sleep(50);
    return ReadBack(key, name) == expected;
}

class SaveWithUndo : public testing::Test
{
protected:
    ScopedTestKey targetCleanup{kTestKey};
    ScopedTestKey settingsCleanup{LR"(Software\VelmoraTest)"};
    TempFolder folder;
};

struct RoundTrip
{
    const char* name;
    std::string key;
    std::string value;
    std::wstring storedValue; // under the name typed
    std::optional<RegistryValue> old;
    std::optional<RegistryValue> restored = old;  // text that is not well-formed comes back made so
    std::vector<std::wstring> programFolder = {}; // below the test's folder
};

class SaveRoundTrip : public SaveWithUndo, public testing::WithParamInterface<RoundTrip>
{
};

TEST_P(SaveRoundTrip, TheValueArrivesAsMeantAndTheUndoFilePutsBackTheOldOne)
{
    const RoundTrip& row = GetParam();
    const std::wstring key = std::wstring(kTestKey) + L"\\App\\" + win32::Widen(row.name);
    const std::wstring name = win32::Widen(row.key);
    ASSERT_EQ(row.old ? ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), row.old->type,
                                          row.old->bytes.data(), static_cast<DWORD>(row.old->bytes.size()))
                      : ERROR_SUCCESS,
              ERROR_SUCCESS);
    // The shell would expand %USERNAME% and open another folder's file, and opens no path of 260
    // characters or more: it is handed the short form.
    std::wstring programFolder = LR"(\\?\)" + folder.Path();
    for (const std::wstring& piece : row.programFolder)
    {
        programFolder += L"\\" + piece;
        ASSERT_TRUE(::CreateDirectoryW(programFolder.c_str(), nullptr));
    }
    Instance program(win32::Narrow(programFolder.substr(4)));
    program.Save(row.name, row.key, row.value);
    ASSERT_EQ(program.messages, std::vector<std::string>{});
    EXPECT_TRUE(Arrives(key, name, Text(row.storedValue)))
        << "Velmora.reg: " << ReadFileBytes(programFolder + L"\\Velmora.reg");
    // The settings store keeps the texts as typed.
    EXPECT_EQ(
        ReadBack(LR"(Software\VelmoraTest\Settings\HKCU\Software\VelmoraUndoTest\App\)" + win32::Widen(row.name), name),
        Text(win32::Widen(row.value)));

    // Merged the way an administrator would.
    ASSERT_TRUE(RunAndWait(L"regedit.exe /s \"" + programFolder + L"\\Velmora-undo.reg\"")) << "regedit did not end";
    EXPECT_EQ(ReadBack(key, name), row.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveRoundTrip,
    testing::ValuesIn(std::vector<RoundTrip>{
        {"NoOldValue", "File1", R"(C:\Pictures\cat.bmp)", LR"(C:\Pictures\cat.bmp)", std::nullopt},
        {"TrailingBackslash", "File1", R"(C:\Pictures\)", LR"(C:\Pictures\)",
         RegistryValue{REG_SZ, Utf16(L"C:\\a\\\\ \"b\"\r\nc\0"s)}},
        {"UncPath", "File1", R"(\\server\share\cat.bmp)", LR"(\\server\share\cat.bmp)",
         RegistryValue{REG_SZ, Utf16(L"\u65E5\u672C\0"s)}},
        {"ExtendedLengthPath", "File1", R"(\\?\C:\cat.bmp)", LR"(\\?\C:\cat.bmp)",
         RegistryValue{REG_SZ, Utf16(L"\0"s)}},
        {"AlreadyDoubled", "File1", R"(C:\\Pictures\\cat.bmp)", LR"(C:\Pictures\cat.bmp)",
         RegistryValue{REG_EXPAND_SZ, Utf16(L"%USERPROFILE%\\x\0"s)}},
        {"QuoteInValue", "File1", R"(say "cheese".bmp)", LR"(say "cheese".bmp)",
         RegistryValue{REG_MULTI_SZ, Utf16(L"a\0b c\0\0"s)}},
        {"BackslashInName", R"(File\One)", "x", L"x", RegistryValue{REG_DWORD, "\x78\x56\x34\x12"s}},
        {"QuoteInName", R"(File "One")", "x", L"x", RegistryValue{REG_QWORD, "\x01\0\0\0\0\0\0\x80"s}},
        {"KeyWithSpacesAround", " File1 ", "  x  ", L"x", RegistryValue{REG_BINARY, "\xff\0\x01"s}},
        {"Latin1", "Gr\xC3\xBC\xC3\x9F\x65", "C:\\Stra\xC3\x9F\x65.bmp", L"C:\\Stra\u00DFe.bmp",
         RegistryValue{REG_BINARY, ""}},
        {"Large", "File1", "C:\\" + std::string(64 * 1024, 'v'), L"C:\\" + std::wstring(64 * 1024, L'v'),
         RegistryValue{REG_BINARY, std::string(100000, '\x5A')}},
        {"OneByteText", "File1", "x", L"x", RegistryValue{REG_SZ, "a"s}, RegistryValue{REG_SZ, "a\0\0\0"s}},
        {"OddCountText", "File1", "x", L"x", RegistryValue{REG_SZ, "a\0b"s}, RegistryValue{REG_SZ, "a\0b\0\0\0"s}},
        {"ExpandableTextWithoutItsZero", "File1", "x", L"x", RegistryValue{REG_EXPAND_SZ, Utf16(L"%U%"s)},
         RegistryValue{REG_EXPAND_SZ, Utf16(L"%U%\0"s)}},
        {"MultiStringWithoutItsDoubleZero", "File1", "x", L"x", RegistryValue{REG_MULTI_SZ, Utf16(L"a\0b\0"s)},
         RegistryValue{REG_MULTI_SZ, Utf16(L"a\0b\0\0"s)}},
        {"PercentName", "File1", "x", L"x", std::nullopt, std::nullopt, {L"v-%USERNAME%"}},
        {"LongerThanTheShellOpens", "File1", "x", L"x", std::nullopt, std::nullopt,
         std::vector<std::wstring>(5, std::wstring(60, L'f'))}}),
    RowName());

// While it lives, .reg files open with another command; the old one comes back whatever happens.
struct ScopedAssociation
{
    static constexpr const wchar_t* kKey = LR"(regfile\shell\open\command)";
    wchar_t old[1024] = L"";

    explicit ScopedAssociation(const std::wstring& command)
    {
        LONG size = sizeof(old);
        ::RegQueryValueW(HKEY_CLASSES_ROOT, kKey, old, &size);
        ::RegSetValueW(HKEY_CLASSES_ROOT, kKey, REG_SZ, command.c_str(), 0);
    }
    ~ScopedAssociation() { ::RegSetValueW(HKEY_CLASSES_ROOT, kKey, REG_SZ, old, 0); }
};

enum class Second
{
    SameInstance,
    OtherInstanceBetweenTheCommitAndTheHold, // it asks for the folder's turn inside the first save
    OtherInstanceAfterTheFirstEnded,
};

struct TwoSaves
{
    const char* name;
    Second second = Second::SameInstance;
    bool launcher = false; // .reg files open with a program that hands them on, 1.5 s later
    DWORD gapMs = 0;
};

class TwoSavesInARow : public SaveWithUndo, public testing::WithParamInterface<TwoSaves>
{
};

// The value is v0; one save sets v1, the next v2. The second waits for the registry editor that
// merges the first, so that its undo file puts back v1, the value it replaced; or, while the
// first file may still be unread, it is refused, and v1 arrives.
TEST_P(TwoSavesInARow, TheSecondWaitsForTheFirstsReaderAndItsUndoPutsBackWhatItReplaced)
{
    const TwoSaves& row = GetParam();
    const std::wstring key = std::wstring(kTestKey) + L"\\App\\" + win32::Widen(row.name);
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"File1", REG_SZ, L"v0", 6), ERROR_SUCCESS);
    std::optional<ScopedAssociation> association;
    if (row.launcher)
    {
        wchar_t self[MAX_PATH] = L"";
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        association.emplace(L"\"" + std::wstring(self) + L"\" --launch 1500 \"%1\"");
    }
    std::optional<Instance> first(std::in_place, folder.PathUtf8());
    Instance other{folder.PathUtf8()};
    Instance& second = row.second == Second::SameInstance ? *first : other;
    std::jthread otherThread;
    if (row.second == Second::OtherInstanceBetweenTheCommitAndTheHold)
        first->beforeOpen = [&] {
            otherThread = std::jthread([&] { other.Save(row.name, "File1", "v2"); });
            ::Sleep(1000); // time for it to ask for the folder's turn
        };

    first->Save(row.name, "File1", "v1");
    ASSERT_EQ(first->messages, std::vector<std::string>{});
    if (row.second == Second::OtherInstanceAfterTheFirstEnded)
        first.reset(); // its holds go with it; the registry editor's copy of the handle stays
    ::Sleep(row.gapMs);
    if (otherThread.joinable())
        otherThread.join();
    else
        second.Save(row.name, "File1", "v2");

    if (!second.messages.empty())
    {
        EXPECT_TRUE(row.launcher) << "the registry editor's end was not waited for";
        EXPECT_TRUE(second.messages.back().starts_with("error [] Error Number: 70 ")) << second.messages.back();
        EXPECT_TRUE(Arrives(key, L"File1", Text(L"v1"))) << "the first value was lost";
        return;
    }
    ASSERT_TRUE(Arrives(key, L"File1", Text(L"v2")));
    ASSERT_TRUE(RunAndWait(L"regedit.exe /s \"" + folder.Child(L"Velmora-undo.reg") + L"\""));
    EXPECT_EQ(ReadBack(key, L"File1"), Text(L"v1")) << "the undo file holds a value the second save did not replace";
}

INSTANTIATE_TEST_SUITE_P(Table, TwoSavesInARow,
                         testing::Values(TwoSaves{"AtOnce"},
                                         TwoSaves{"AnotherInstanceBetweenTheCommitAndTheHold",
                                                  Second::OtherInstanceBetweenTheCommitAndTheHold},
                                         TwoSaves{"RightAfterAnotherInstanceThatEnded",
                                                  Second::OtherInstanceAfterTheFirstEnded},
                                         TwoSaves{"ThroughALauncherAtOnce", Second::SameInstance, true},
                                         TwoSaves{"ThroughALauncherHalfASecondLater", Second::SameInstance, true, 500}),
                         RowName());

// Wine makes short names from a hash: the program's folder and this sibling share one, which opens
// the sibling. The shell must not be handed it.
TEST_F(SaveWithUndo, AShortFormThatOpensAnotherFolderIsRefused)
{
    const std::wstring programFolder = folder.Child(L"v-%USERNAME%");
    const std::wstring sibling = folder.Child(L"v-%USERNAMEvyho");
    ASSERT_TRUE(::CreateDirectoryW(programFolder.c_str(), nullptr) && ::CreateDirectoryW(sibling.c_str(), nullptr));
    WriteFileBytes(sibling + L"\\Velmora.reg", "REGEDIT4\r\n");
    wchar_t shortForm[MAX_PATH] = L"";
    ::GetShortPathNameW(programFolder.c_str(), shortForm, MAX_PATH);
    ASSERT_NE(::GetFileAttributesW((shortForm + std::wstring(L"\\Velmora.reg")).c_str()), INVALID_FILE_ATTRIBUTES)
        << "under this Wine the short form " << win32::Narrow(shortForm) << " leads to the folder itself";

    Instance program{win32::Narrow(programFolder)};
    program.Save("Short", "File1", "x");
    EXPECT_EQ(program.messages,
              std::vector<std::string>{"error [] Error Number: 380 Invalid property value: the program's folder holds "
                                       "'%', which the shell would read as the name of a setting and open another "
                                       "folder's Velmora.reg; nothing was written"});
    EXPECT_EQ(::GetFileAttributesW((programFolder + L"\\Velmora.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SaveWithUndo, AValueThatCannotBeReadStopsTheSaveBeforeEitherFile)
{
    const std::wstring key = std::wstring(kTestKey) + L"\\App\\Denied";
    // RegDeleteTreeW cannot read this key's values, so it goes by name, before and after.
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    win32::UniqueHkey created;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.put(),
                                nullptr),
              ERROR_SUCCESS);
    // Everyone may do anything but read the key's values.
    PSECURITY_DESCRIPTOR denyRead = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x1;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1,
                                                                       &denyRead, nullptr));
    ASSERT_EQ(::RegSetKeySecurity(created.get(), DACL_SECURITY_INFORMATION, denyRead), ERROR_SUCCESS);
    ::LocalFree(denyRead);

    Instance program{folder.PathUtf8()};
    program.Save("Denied", "File1", R"(C:\New\value.bmp)");
    EXPECT_EQ(program.messages, std::vector<std::string>{"error [] Error Number: 70 Permission denied"});
    EXPECT_EQ(::GetFileAttributesW(folder.Child(L"Velmora.reg").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(folder.Child(L"Velmora-undo.reg").c_str()), INVALID_FILE_ATTRIBUTES);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

} // namespace
