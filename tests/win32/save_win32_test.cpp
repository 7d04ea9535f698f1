// The Save command's Win32 side: the registration files on disk, and whole saves with the real
// ports and the system's own regedit. The program is also the launcher that some rows install.
#include "regchange/reg_file_win32.h"
#include "regchange/save_command.h"
#include "regchange/settings_store_win32.h"
#include "registry/registry_reader_win32.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <thread>

using namespace velmora;
using namespace velmora::testing_support;
using namespace std::string_literals;

namespace
{

// The files in the folder (none when there is no folder), by name, with their bytes.
std::map<std::wstring, std::string> FilesIn(const std::wstring& folder)
{
    std::map<std::wstring, std::string> files;
    std::error_code noFolder;
    for (const auto& entry : std::filesystem::directory_iterator(folder, noFolder))
        files[entry.path().filename().wstring()] = ReadFileBytes(entry.path().wstring());
    return files;
}

TEST(RegFileWriter, KnowsWhichCharactersTheCodePageHolds)
{
    win32::Win32RegFileOutput output;
    ASSERT_EQ(::GetACP(), 1252u) << "the test prefix is expected to use Western European Windows";
    EXPECT_TRUE(output.CanEncode("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC")); // Grüße €: all in 1252
    EXPECT_FALSE(output.CanEncode("\xE6\x97\xA5"));                       // 日
    EXPECT_FALSE(output.CanEncode("\xC4\x81")) << "ā must not be written as a best-fit a";
}

// A row's folder, the target in it.
struct Scene
{
    ~Scene() { ::DeleteFileW((folder + L"\\filler").c_str()); } // the small disk serves the next row
    std::wstring folder;
    std::wstring target = folder + L"\\Velmora.reg";
};

constexpr const char* kSaved = "0 0 0 0 0 0 0 0 0 0 0 0 0";

void MakeReadOnly(Scene& scene)
{
    ASSERT_TRUE(::SetFileAttributesW(scene.target.c_str(), FILE_ATTRIBUTE_READONLY));
}

void MakeFolder(Scene& scene)
{
    ::DeleteFileW(scene.target.c_str());
    ASSERT_TRUE(::CreateDirectoryW(scene.target.c_str(), nullptr));
}

// Velmora.reg made a link (symbolic, or a second name) to another file, which a save must replace
// and never write through.
template <bool kSymbolic>
void Link(Scene& scene)
{
    ::DeleteFileW(scene.target.c_str());
    WriteFileBytes(scene.folder + L"\\linked.reg", "linked content");
    ASSERT_TRUE(kSymbolic ||
                ::CreateHardLinkW(scene.target.c_str(), (scene.folder + L"\\linked.reg").c_str(), nullptr));
    const auto exists = [&] { return ::GetFileAttributesW(scene.target.c_str()) != INVALID_FILE_ATTRIBUTES; };
    // Wine's CreateSymbolicLinkW reports success and makes nothing. Wine starts a Unix program like
    // any other, so the system's own ln makes the link; with nothing to wait on, the link is polled for.
    if (kSymbolic)
        RunCommand(L"/bin/ln -s linked.reg Velmora.reg", scene.folder.c_str());
    for (int attempt = 0; attempt < 100 && !exists(); ++attempt)
        ::Sleep(50);
    if (!exists())
        GTEST_SKIP() << "this system makes no symbolic link";
}

// All the space but some pages. One: the first lines fit, the long key line does not. Five: both
// new files fit, and the copy of the old undo file, but not the copy of the old Velmora.reg.
template <int kPagesLeft>
void FillDisk(Scene& scene)
{
    win32::UniqueFile file(
        ::CreateFileW((scene.folder + L"\\filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    const std::string page(4096, 'f');
    DWORD done = 0;
    while (::WriteFile(file.get(), page.data(), 4096, &done, nullptr) && done > 0)
        ;
    ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    ::SetFilePointer(file.get(), -4096 * kPagesLeft, nullptr, FILE_END);
    ASSERT_TRUE(::SetEndOfFile(file.get()));
}

struct ReplacementRow
{
    const char* name;
    void (*arrange)(Scene& scene);
    // Each unit's failure number: the undo file's Create, four lines and Close, Velmora.reg's, then
    // Commit; all 0: both new files are in place. Fewer: the files are abandoned after that unit.
    const char* failures;
};

using RegFileReplacement = testing::TestWithParam<ReplacementRow>;

TEST_P(RegFileReplacement, PutsBothNewFilesInPlaceOrKeepsBothOldOnesAndLeavesNoTemporaryFile)
{
    const ReplacementRow& row = GetParam();
    TempFolder temp;
    // A full disk needs a small file system of its own, which with_small_disk.sh mounts.
    const char* smallDisk = std::getenv("VELMORA_SMALL_DISK");
    const bool fillsDisk = std::string_view(row.name).starts_with("DiskFull");
    if (fillsDisk && !smallDisk)
        GTEST_SKIP() << "runs under tests/win32/with_small_disk.sh";
    Scene scene{fillsDisk ? win32::Widen(smallDisk) : temp.path};
    const std::wstring undoPath = scene.folder + L"\\Velmora-undo.reg";
    WriteFileBytes(undoPath, "old undo");
    WriteFileBytes(scene.target, "old content");
    if (row.arrange)
        row.arrange(scene);
    if (IsSkipped() || HasFatalFailure())
        return;
    auto expected = FilesIn(scene.folder);

    const std::vector<std::string> undoLines = {"Windows Registry Editor Version 5.00", "", "[k]", R"("a"=-)"};
    const std::vector<std::string> regLines = {"REGEDIT4", "", "[" + std::string(8192, 'k') + "]", R"("a"="b")"};
    std::optional<win32::Win32RegFileOutput> output(std::in_place);
    std::vector<std::function<void()>> units;
    const auto addFile = [&](const std::wstring& path, FileEncoding encoding, const std::vector<std::string>& lines) {
        units.push_back([&output, file = win32::Narrow(path), encoding] { output->Create(file, encoding); });
        for (const std::string& line : lines)
            units.push_back([&output, &line] { output->WriteLine(line); });
        units.push_back([&output] { output->Close(); });
    };
    addFile(undoPath, FileEncoding::Utf16, undoLines);
    addFile(scene.target, FileEncoding::SystemAnsi, regLines);
    units.push_back([&output] { output->Commit(); });
    const auto unitsRun = std::ranges::count(std::string_view(row.failures), ' ') + 1; // the rest are abandoned
    std::string failures;                                                              // each number after a space
    for (const auto& unit : std::span(units).first(static_cast<std::size_t>(unitsRun)))
        failures += ' ' + std::to_string(FailureNumberOf(unit));
    output.reset();

    EXPECT_EQ(failures.substr(1), row.failures);
    if (failures.substr(1) == kSaved)
    {
        expected[L"Velmora-undo.reg"] =
            "\xFF\xFE" + Utf16(u"Windows Registry Editor Version 5.00\r\n\r\n[k]\r\n\"a\"=-\r\n");
        expected[L"Velmora.reg"] = "REGEDIT4\r\n\r\n[" + std::string(8192, 'k') + "]\r\n\"a\"=\"b\"\r\n";
    }
    EXPECT_EQ(FilesIn(scene.folder), expected) << "a temporary file was left, or a linked file written through";
}

const std::vector<ReplacementRow> kReplacements = {
    {"NoFolder", [](Scene& scene) { RemoveTree(scene.folder); }, "76 52 52 52 52 52 76 52 52 52 52 52 52"},
    {"AbandonedBeforeCommit", nullptr, "0 0 0 0 0 0 0 0"},
    {"ReadOnlyTarget", MakeReadOnly, "0 0 0 0 0 0 75 52 52 52 52 52 52"},
    {"TargetIsAFolder", MakeFolder, "0 0 0 0 0 0 75 52 52 52 52 52 52"},
    {"SymbolicLink", Link<true>, kSaved},
    {"HardLink", Link<false>, kSaved},
    {"DiskFull", FillDisk<1>, "0 0 0 0 0 0 0 61 52 52 52 52 52"},
    {"DiskFullWhileCopyingTheOldFileAside", FillDisk<5>, "0 0 0 0 0 0 0 0 0 0 0 0 61"}};
INSTANTIATE_TEST_SUITE_P(Table, RegFileReplacement, testing::ValuesIn(kReplacements), RowName());

// The port says what went wrong in the words the transaction decides by: above all, a file that a
// program holds (worth waiting for) apart from one that refuses this user (not worth it).
TEST(FilePortWin32, MapsEachRealErrorToItsFault)
{
    using transaction::FileFault;
    TempFolder folder;
    for (const wchar_t* name : {L"held", L"read-only", L"free"})
        WriteFileBytes(folder.Child(name), "bytes");
    ::SetFileAttributesW(folder.Child(L"read-only").c_str(), FILE_ATTRIBUTE_READONLY);
    win32::UniqueFile reader(::CreateFileW(folder.Child(L"held").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    const auto path = [&](const wchar_t* name) { return win32::Narrow(folder.Child(name)); };
    win32::Win32FilePort port;
    transaction::FileToken token = 0;
    std::string bytes;
    const std::pair<transaction::FileResult, FileFault> rows[] = {
        {port.CreateNew(path(L"free"), token), FileFault::Exists},
        {port.CreateNew(path(L"no folder\\file"), token), FileFault::NotFound},
        {port.Copy(path(L"free"), path(L"held")), FileFault::Exists},
        {port.Read(path(L"none"), bytes), FileFault::NotFound},
        {port.Delete(path(L"read-only")), FileFault::Denied},
        {port.Replace(path(L"free"), path(L"held")), FileFault::Held},
        {port.Delete(path(L"held")), FileFault::Held},
        {port.ProbeHeld(path(L"held")), FileFault::Held},
        {port.ProbeHeld(path(L"free")), FileFault::None},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row)
        EXPECT_EQ(rows[row].first.fault, rows[row].second) << "row " << row;
    // A run is this process only while its start time matches: an id alone is reused.
    const transaction::RunId run = port.ThisRun();
    EXPECT_TRUE(port.IsRunning(run));
    EXPECT_FALSE(port.IsRunning({run.process, run.started + 1}));
}

// The turn is the folder's, whatever the spelling, across processes; a folder without an identity
// (none yet) has one by its path; a holder that ends without letting go passes it on.
TEST(FolderTurnWin32, OneProcessAtATimeAndPassedOnWhenTheHolderEnds)
{
    TempFolder folder;
    const std::wstring signal = folder.Child(L"taken");
    RunCommand(L"\"" + ThisProgram() + L"\" --hold-turns \"" + folder.path + L"\" \"" + signal + L"\"", nullptr, 0);
    for (int attempt = 0; attempt < 500 && ::GetFileAttributesW(signal.c_str()) == INVALID_FILE_ATTRIBUTES; ++attempt)
        ::Sleep(10);
    ASSERT_NE(::GetFileAttributesW(signal.c_str()), INVALID_FILE_ATTRIBUTES) << "the other process took no turn";
    const std::string spellings[] = {win32::Narrow(LR"(\\?\)" + folder.path), win32::Narrow(folder.Child(L"not yet"))};
    for (const std::string& spelling : spellings)
        EXPECT_FALSE(win32::Win32FolderTurn(L"Velmora.test").Take(spelling, 0)) << spelling;
    ::DeleteFileW(signal.c_str()); // the other process ends, holding both
    for (const std::string& spelling : spellings)
        EXPECT_TRUE(win32::Win32FolderTurn(L"Velmora.test").Take(spelling, 10000)) << spelling;
}

constexpr const wchar_t* kTestKey = LR"(Software\VelmoraUndoTest)";

// An instance of the program: the folder's turn is a named mutex, which a thread owns, and a hold
// is a file handle's sharing, so that instances on two threads meet as two processes would.
struct Instance : RecordingDesktop, SaveView
{
    using RecordingDesktop::RecordingDesktop;
    std::map<Field, std::string> fields;
    std::function<void()> beforeOpen; // run once, as the shell is handed the file
    win32::UniqueHandle waitingForTheTurn{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    win32::Win32SettingsStore settings{LR"(Software\VelmoraTest\Settings)"};
    win32::Win32RegFileOutput file;
    win32::Win32RegistryReader registry;

    std::string FieldText(Field field) override { return fields.at(field); }
    void SetStatusText(std::string_view) override {}
    void BeginWait(std::string_view status) override
    {
        if (status == WaitingStatus(transaction::WaitReason::AnotherSave))
            ::SetEvent(waitingForTheTurn.get());
    }
    WindowRef Owner() override { return {}; }
    HeldOpen ShellOpenHeld(WindowRef owner, std::string_view path, std::string_view held,
                           std::string_view reader) override
    {
        if (beforeOpen)
            std::exchange(beforeOpen, nullptr)();
        return RecordingDesktop::ShellOpenHeld(owner, path, held, reader);
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

// Through the save's own reader: a fault in it shows against the bytes stored by the registry's call.
std::optional<RegistryValue> ReadBack(const std::wstring& key, const std::wstring& name)
{
    return win32::Win32RegistryReader().ReadValue(RegistryRoot::CurrentUser, win32::Narrow(key), win32::Narrow(name));
}

RegistryValue Wide(DWORD type, const std::wstring& text)
{
    return {type, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t))};
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

// While it lives, .reg files open with this command (none: as they did).
struct ScopedAssociation
{
    static constexpr const wchar_t* kKey = LR"(regfile\shell\open\command)";
    wchar_t old[1024] = L"";

    explicit ScopedAssociation(const std::wstring& command)
    {
        LONG size = sizeof(old);
        ::RegQueryValueW(HKEY_CLASSES_ROOT, kKey, old, &size);
        if (!command.empty())
            ::RegSetValueW(HKEY_CLASSES_ROOT, kKey, REG_SZ, command.c_str(), 0);
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
    // The same instance, but .reg files open with a program that hands them on to the registry editor
    // and ends at once (this program), which nothing may take for the editor, even by its name.
    SameThroughALauncher,
    SameThroughALauncherNamedLikeTheEditor, // a copy of this program named regedit.exe, outside the Windows folder
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
};

// Saves one after another: the value is v0, an earlier save sets v1, the row's save v2.
RoundTrip AfterAnEarlierSave(const char* name, Earlier earlier)
{
    return {name, Text(L"v0"), "v2", "File1", L"", Text(L"v1"), {}, earlier};
}

struct Save : testing::TestWithParam<RoundTrip>
{
    ScopedTestKey targetCleanup{kTestKey};
    ScopedTestKey settingsCleanup{LR"(Software\VelmoraTest)"};
    TempFolder folder;
};

// Each row saves a typed value over an old one; regedit merges Velmora.reg and the value arrives as
// the user meant it; then merging Velmora-undo.reg puts back the value replaced, type and bytes. After
// an earlier save, the row's waits for the registry editor reading that one (or is refused, 70).
TEST_P(Save, TheValueArrivesAsMeantAndTheUndoFilePutsBackTheOneItReplaced)
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
    const bool launches = row.earlier >= Earlier::SameThroughALauncher;
    const std::wstring launcher =
        row.earlier == Earlier::SameThroughALauncherNamedLikeTheEditor ? folder.Child(L"regedit.exe") : ThisProgram();
    ASSERT_TRUE(launcher == ThisProgram() || ::CopyFileW(ThisProgram().c_str(), launcher.c_str(), TRUE));
    const ScopedAssociation association(launches ? L"\"" + launcher + L"\" --launch \"%1\"" : L"");
    std::optional<Instance> first(std::in_place, win32::Narrow(programFolder.substr(4)));
    Instance other(first->folder);
    const bool same = row.earlier == Earlier::None || row.earlier == Earlier::SameInstance || launches;
    Instance& program = same ? *first : other;
    std::jthread otherThread;
    if (row.earlier == Earlier::InstanceAtItsCommit)
        first->beforeOpen = [&] {
            otherThread = std::jthread([&] { other.Save(row.name, row.key, row.value); });
            ASSERT_EQ(::WaitForSingleObject(other.waitingForTheTurn.get(), 5000), WAIT_OBJECT_0)
                << "the other instance never asked for the folder's turn";
        };
    if (row.earlier != Earlier::None)
        first->Save(row.name, row.key, "v1");
    ASSERT_EQ(first->messages, std::vector<std::string>{});
    if (row.earlier == Earlier::InstanceThatEnded)
        first.reset(); // its holds go with it; the registry editor's copy of the handle stays
    if (!otherThread.joinable())
        program.Save(row.name, row.key, row.value);
    otherThread = {}; // joined

    // Nothing says when the registry editor behind a launcher has read the first file: it stays held
    // for the whole bound, and the second save is refused.
    if (launches)
    {
        ASSERT_EQ(program.messages.size(), 1u) << "the second save replaced a file that may not have been read";
        EXPECT_TRUE(program.messages.back().starts_with("error [] Error Number: 70 ")) << program.messages.back();
        EXPECT_TRUE(Arrives(key, name, Text(L"v1"))) << "the first value was lost";
        return;
    }
    ASSERT_EQ(program.messages, std::vector<std::string>{});
    EXPECT_TRUE(Arrives(key, name, Text(row.stored.empty() ? win32::Widen(row.value) : row.stored)))
        << "Velmora.reg: " << ReadFileBytes(programFolder + L"\\Velmora.reg");
    EXPECT_EQ(ReadBack(LR"(Software\VelmoraTest\Settings\HKCU\)" + key, name), Text(win32::Widen(row.value)))
        << "the settings store keeps the texts as typed";

    ASSERT_TRUE(RunCommand(L"regedit.exe /s \"" + programFolder + L"\\Velmora-undo.reg\"")) << "regedit did not end";
    EXPECT_EQ(ReadBack(key, name), row.restored);
}

const RegistryValue kQword{REG_QWORD, "\x01\0\0\0\0\0\0\x80"s};
const RegistryValue kBinary{REG_BINARY, "\xff\0\x01"s};

const std::vector<RoundTrip> kRoundTrips = {
    {"NoOldValue", std::nullopt, R"(C:\Pictures\cat.bmp)"},
    {"TrailingBackslash", Wide(REG_SZ, L"C:\\a\\\\ \"b\"\r\nc\0"s), R"(C:\Pictures\)"},
    {"UncPath", Wide(REG_SZ, L"\u65E5\u672C\0"s), R"(\\server\share\cat.bmp)"},
    {"ExtendedLengthPath", Wide(REG_SZ, L"\0"s), R"(\\?\C:\cat.bmp)"},
    {"AlreadyDoubled", Wide(REG_EXPAND_SZ, L"%USERPROFILE%\\x\0"s), R"(C:\\Pictures\\cat.bmp)", "File1",
     LR"(C:\Pictures\cat.bmp)"},
    {"QuoteInValue", Wide(REG_MULTI_SZ, L"a\0b c\0\0"s), R"(say "cheese".bmp)"},
    {"ANameWithABackslashQuotesAndSpacesAround", RegistryValue{REG_DWORD, "\x78\x56\x34\x12"s}, "  x  ",
     R"( File\ "One" )", L"x"},
    {"Latin1", RegistryValue{REG_BINARY, ""}, "C:\\Stra\xC3\x9F\x65.bmp", "Gr\xC3\xBC\xC3\x9F\x65"},
    {"Large", RegistryValue{REG_BINARY, std::string(100000, '\x5A')}, "C:\\" + std::string(64 * 1024, 'v')},
    {"OneByteText", RegistryValue{REG_SZ, "a"s}, "x", "File1", L"", RegistryValue{REG_SZ, "a\0\0\0"s}},
    {"OddCountText", RegistryValue{REG_SZ, "a\0b"s}, "x", "File1", L"", RegistryValue{REG_SZ, "a\0b\0\0\0"s}},
    {"ExpandableTextWithoutItsZero", Wide(REG_EXPAND_SZ, L"%U%"s), "x", "File1", L"", Wide(REG_EXPAND_SZ, L"%U%\0"s)},
    {"MultiStringWithoutItsDoubleZero", Wide(REG_MULTI_SZ, L"a\0b\0"s), "x", "File1", L"",
     Wide(REG_MULTI_SZ, L"a\0b\0\0"s)},
    {"PercentName", kQword, "x", "File1", L"", kQword, {L"v-%USERNAME%"}},
    {"LongerThanTheShellOpens", kBinary, "x", "File1", L"", kBinary, {5, std::wstring(60, L'f')}},
    AfterAnEarlierSave("AtOnce", Earlier::SameInstance),
    AfterAnEarlierSave("AnotherInstanceBetweenTheCommitAndTheHold", Earlier::InstanceAtItsCommit),
    AfterAnEarlierSave("RightAfterAnotherInstanceThatEnded", Earlier::InstanceThatEnded),
    AfterAnEarlierSave("ThroughALauncher", Earlier::SameThroughALauncher),
    AfterAnEarlierSave("ThroughALauncherNamedLikeTheEditor", Earlier::SameThroughALauncherNamedLikeTheEditor)};
INSTANTIATE_TEST_SUITE_P(Table, Save, testing::ValuesIn(kRoundTrips), RowName());

// Wine makes short names from a hash: the program's folder and this sibling share one, which opens
// the sibling. The shell must not be handed it.
TEST_F(Save, AShortFormThatOpensAnotherFolderIsRefused)
{
    const std::wstring programFolder = folder.Child(L"v-%USERNAME%");
    ASSERT_TRUE(::CreateDirectoryW(programFolder.c_str(), nullptr) &&
                ::CreateDirectoryW(folder.Child(L"v-%USERNAMEvyho").c_str(), nullptr));
    Instance program{win32::Narrow(programFolder)};
    program.Save("Short", "File1", "x");
    ASSERT_EQ(program.messages.size(), 1u);
    EXPECT_TRUE(program.messages[0].starts_with("error [] Error Number: 380 ")) << program.messages[0];
    EXPECT_TRUE(std::filesystem::is_empty(programFolder));
}

TEST_F(Save, AValueThatCannotBeReadStopsTheSaveBeforeEitherFile)
{
    const std::wstring key = std::wstring(kTestKey) + L"\\App\\Denied";
    // RegDeleteTreeW cannot read this key's values, so it goes by name, before and after.
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    win32::UniqueHkey created;
    ASSERT_EQ(::RegCreateKeyW(HKEY_CURRENT_USER, key.c_str(), created.put()), ERROR_SUCCESS);
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

int wmain(int argc, wchar_t** argv)
{
    // A launcher: "--launch FILE" has the registry editor read the file, and ends at once.
    const std::wstring mode = argc >= 3 ? argv[1] : L"";
    // "--hold-turns FOLDER SIGNAL": takes the turns of the folder, in capitals, and of a folder below
    // it that does not exist, makes the signal file, and ends once it is deleted, letting go of none.
    if (mode == L"--hold-turns" && argc == 4)
    {
        std::wstring upper = argv[2];
        ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
        static win32::Win32FolderTurn folderTurn(L"Velmora.test"), belowTurn(L"Velmora.test");
        if (!folderTurn.Take(win32::Narrow(upper), 0) || !belowTurn.Take(win32::Narrow(upper + L"\\NOT YET"), 0))
            return 1;
        WriteFileBytes(argv[3], "taken");
        for (int attempt = 0; attempt < 1000 && ::GetFileAttributesW(argv[3]) != INVALID_FILE_ATTRIBUTES; ++attempt)
            ::Sleep(10);
        ::ExitProcess(0);
    }
    if (mode == L"--launch")
    {
        // By its full path: named regedit.exe itself, the launcher would find itself first.
        wchar_t windows[MAX_PATH] = L"";
        ::GetWindowsDirectoryW(windows, MAX_PATH);
        return RunCommand(L"\"" + std::wstring(windows) + L"\\regedit.exe\" \"" + argv[2] + L"\"", nullptr, 0) ? 0 : 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
