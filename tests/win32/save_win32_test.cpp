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

#include <sddl.h>

#include <filesystem>
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

RegistryValue Wide(DWORD type, const std::wstring& text)
{
    return {type, Utf16(text)};
}

RegistryValue Text(const std::wstring& text)
{
    return Wide(REG_SZ, text + L'\0');
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

// While it lives, .reg files open with this program, given these arguments; the old command comes
// back whatever happens.
struct ScopedAssociation
{
    static constexpr const wchar_t* kKey = LR"(regfile\shell\open\command)";
    wchar_t old[1024] = L"";

    explicit ScopedAssociation(const std::wstring& arguments)
    {
        LONG size = sizeof(old);
        ::RegQueryValueW(HKEY_CLASSES_ROOT, kKey, old, &size);
        wchar_t self[MAX_PATH] = L"";
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        ::RegSetValueW(HKEY_CLASSES_ROOT, kKey, REG_SZ, (L"\"" + std::wstring(self) + L"\" " + arguments).c_str(), 0);
    }
    ~ScopedAssociation() { ::RegSetValueW(HKEY_CLASSES_ROOT, kKey, REG_SZ, old, 0); }
};

// A save of "v1" over the old value, just before the row's own save, by
enum class Earlier
{
    None,
    SameInstance,
    InstanceThatEnded,   // another instance, which ends at once
    InstanceAtItsCommit, // another instance, into whose save, after its commit, the row's save comes
};

struct RoundTrip
{
    const char* name;
    std::optional<RegistryValue> old;
    std::string value = "x";
    std::string key = "File1";
    std::wstring stored = {};                     // empty: the value as typed
    std::optional<RegistryValue> restored = old;  // text that is not well-formed comes back made so
    std::vector<std::wstring> programFolder = {}; // below the test's folder
    Earlier earlier = Earlier::None;
    bool launcher = false; // .reg files open with a program that hands them on, 1.5 s later
    DWORD gapMs = 0;       // between the two saves
};

// Saves one after another: the value is v0, an earlier save sets v1, the row's save v2.
RoundTrip AfterAnEarlierSave(const char* name, Earlier earlier, bool launcher = false, DWORD gapMs = 0)
{
    return {name, Text(L"v0"), "v2", "File1", L"", Text(L"v1"), {}, earlier, launcher, gapMs};
}

class SaveRoundTrip : public SaveWithUndo, public testing::WithParamInterface<RoundTrip>
{
};

// After an earlier save, the row's save waits for the registry editor that merges it, so that its
// undo file puts back v1, the value it replaced; or, while the first file may still be unread, it
// is refused, and v1 arrives.
TEST_P(SaveRoundTrip, TheValueArrivesAsMeantAndTheUndoFilePutsBackTheOneItReplaced)
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
    std::wstring programFolder = LR"(\\?\)" + folder.path;
    for (const std::wstring& piece : row.programFolder)
        ASSERT_TRUE(::CreateDirectoryW((programFolder += L"\\" + piece).c_str(), nullptr));
    std::optional<ScopedAssociation> association;
    if (row.launcher)
        association.emplace(L"--launch 1500 \"%1\"");
    std::optional<Instance> first(std::in_place, win32::Narrow(programFolder.substr(4)));
    Instance other(first->folder);
    Instance& program = row.earlier == Earlier::SameInstance || row.earlier == Earlier::None ? *first : other;
    std::jthread otherThread;
    if (row.earlier == Earlier::InstanceAtItsCommit)
        first->beforeOpen = [&] {
            otherThread = std::jthread([&] { other.Save(row.name, row.key, row.value); });
            ::Sleep(1000); // time for it to ask for the folder's turn
        };
    if (row.earlier != Earlier::None)
        first->Save(row.name, row.key, "v1");
    ASSERT_EQ(first->messages, std::vector<std::string>{});
    if (row.earlier == Earlier::InstanceThatEnded)
        first.reset(); // its holds go with it; the registry editor's copy of the handle stays
    ::Sleep(row.gapMs);
    if (otherThread.joinable())
        otherThread.join();
    else
        program.Save(row.name, row.key, row.value);

    if (row.launcher && !program.messages.empty())
    {
        EXPECT_TRUE(program.messages.back().starts_with("error [] Error Number: 70 ")) << program.messages.back();
        EXPECT_TRUE(Arrives(key, name, Text(L"v1"))) << "the first value was lost";
        return;
    }
    ASSERT_EQ(program.messages, std::vector<std::string>{});
    EXPECT_TRUE(Arrives(key, name, Text(row.stored.empty() ? win32::Widen(row.value) : row.stored)))
        << "Velmora.reg: " << ReadFileBytes(programFolder + L"\\Velmora.reg");
    // The settings store keeps the texts as typed.
    EXPECT_EQ(
        ReadBack(LR"(Software\VelmoraTest\Settings\HKCU\Software\VelmoraUndoTest\App\)" + win32::Widen(row.name), name),
        Text(win32::Widen(row.value)));

    ASSERT_TRUE(RunAndWait(L"regedit.exe /s \"" + programFolder + L"\\Velmora-undo.reg\"")) << "regedit did not end";
    EXPECT_EQ(ReadBack(key, name), row.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveRoundTrip,
    testing::ValuesIn(std::vector<RoundTrip>{
        {"NoOldValue", std::nullopt, R"(C:\Pictures\cat.bmp)"},
        {"TrailingBackslash", Wide(REG_SZ, L"C:\\a\\\\ \"b\"\r\nc\0"s), R"(C:\Pictures\)"},
        {"UncPath", Wide(REG_SZ, L"\u65E5\u672C\0"s), R"(\\server\share\cat.bmp)"},
        {"ExtendedLengthPath", Wide(REG_SZ, L"\0"s), R"(\\?\C:\cat.bmp)"},
        {"AlreadyDoubled", Wide(REG_EXPAND_SZ, L"%USERPROFILE%\\x\0"s), R"(C:\\Pictures\\cat.bmp)", "File1",
         LR"(C:\Pictures\cat.bmp)"},
        {"QuoteInValue", Wide(REG_MULTI_SZ, L"a\0b c\0\0"s), R"(say "cheese".bmp)"},
        {"BackslashInName", RegistryValue{REG_DWORD, "\x78\x56\x34\x12"s}, "x", R"(File\One)"},
        {"QuoteInName", RegistryValue{REG_QWORD, "\x01\0\0\0\0\0\0\x80"s}, "x", R"(File "One")"},
        {"KeyWithSpacesAround", RegistryValue{REG_BINARY, "\xff\0\x01"s}, "  x  ", " File1 ", L"x"},
        {"Latin1", RegistryValue{REG_BINARY, ""}, "C:\\Stra\xC3\x9F\x65.bmp", "Gr\xC3\xBC\xC3\x9F\x65"},
        {"Large", RegistryValue{REG_BINARY, std::string(100000, '\x5A')}, "C:\\" + std::string(64 * 1024, 'v')},
        {"OneByteText", RegistryValue{REG_SZ, "a"s}, "x", "File1", L"", RegistryValue{REG_SZ, "a\0\0\0"s}},
        {"OddCountText", RegistryValue{REG_SZ, "a\0b"s}, "x", "File1", L"", RegistryValue{REG_SZ, "a\0b\0\0\0"s}},
        {"ExpandableTextWithoutItsZero",
         Wide(REG_EXPAND_SZ, L"%U%"s),
         "x",
         "File1",
         {},
         Wide(REG_EXPAND_SZ, L"%U%\0"s)},
        {"MultiStringWithoutItsDoubleZero",
         Wide(REG_MULTI_SZ, L"a\0b\0"s),
         "x",
         "File1",
         {},
         Wide(REG_MULTI_SZ, L"a\0b\0\0"s)},
        {"PercentName", std::nullopt, "x", "File1", L"", std::nullopt, {L"v-%USERNAME%"}},
        {"LongerThanTheShellOpens", std::nullopt, "x", "File1", L"", std::nullopt, {5, std::wstring(60, L'f')}},
        AfterAnEarlierSave("AtOnce", Earlier::SameInstance),
        AfterAnEarlierSave("AnotherInstanceBetweenTheCommitAndTheHold", Earlier::InstanceAtItsCommit),
        AfterAnEarlierSave("RightAfterAnotherInstanceThatEnded", Earlier::InstanceThatEnded),
        AfterAnEarlierSave("ThroughALauncherAtOnce", Earlier::SameInstance, true),
        AfterAnEarlierSave("ThroughALauncherHalfASecondLater", Earlier::SameInstance, true, 500)}),
    RowName());

// Wine makes short names from a hash: the program's folder and this sibling share one, which opens
// the sibling. The shell must not be handed it.
TEST_F(SaveWithUndo, AShortFormThatOpensAnotherFolderIsRefused)
{
    const std::wstring programFolder = folder.Child(L"v-%USERNAME%");
    ASSERT_TRUE(::CreateDirectoryW(programFolder.c_str(), nullptr) &&
                ::CreateDirectoryW(folder.Child(L"v-%USERNAMEvyho").c_str(), nullptr));

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
    EXPECT_TRUE(std::filesystem::is_empty(folder.path)) << "Velmora.reg or Velmora-undo.reg was written";
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

} // namespace
