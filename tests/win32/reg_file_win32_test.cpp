#include "regchange/reg_file_win32.h"

#include "common/runtime_failure.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"
#include "test_helpers.h"
#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;
using velmora::win32::Win32RegFileOutput;

namespace
{

using Files = std::map<std::wstring, std::string>; // by name, with their bytes

// The files in the folder, but the two targets when asked: what a save must leave as it was.
Files FilesIn(const std::wstring& folder, bool withTargets = true)
{
    Files files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        const std::wstring name = entry.path().filename().wstring();
        if (withTargets || (name != L"Velmora.reg" && name != L"Velmora-undo.reg"))
            files[name] = ReadFileBytes(entry.path().wstring());
    }
    return files;
}

TEST(RegFileWriter, KnowsWhichCharactersTheCodePageHolds)
{
    Win32RegFileOutput output;
    ASSERT_EQ(::GetACP(), 1252u) << "the test prefix is expected to use Western European Windows";
    EXPECT_TRUE(output.CanEncode("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC")); // Grüße €: all in 1252
    EXPECT_FALSE(output.CanEncode("\xE6\x97\xA5"));                       // 日
    EXPECT_FALSE(output.CanEncode("\xC4\x81")) << "ā must not be written as a best-fit a";
}

TEST(RegFileWriter, MissingFolderFailsWith76AndAnAbandonedFileLeavesNoTrace)
{
    TempFolder folder;
    Win32RegFileOutput output;
    EXPECT_EQ(
        FailureNumberOf([&] { output.Create(folder.PathUtf8() + "\\missing\\Velmora.reg", FileEncoding::Utf16); }),
        kErrPathNotFound);
    {
        Win32RegFileOutput abandoned;
        abandoned.Create(folder.PathUtf8() + "\\Velmora.reg", FileEncoding::SystemAnsi);
        abandoned.WriteLine("REGEDIT4");
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

// The failures of the table below are those the system reports with a number of their own; any other
// error is never passed over as a number the standard trap skips.
TEST(FailureFromWin32, AnErrorWithoutANumberOfItsOwnIsItsHresultInTheSystemsWords)
{
    const RuntimeFailure unmapped = win32::FailureFromWin32(ERROR_CRC, win32::FailureSource::File);
    EXPECT_EQ(unmapped.Number(), static_cast<std::int32_t>(HRESULT_FROM_WIN32(ERROR_CRC)));
    EXPECT_FALSE(unmapped.Description().empty());
    EXPECT_NE(unmapped.Description().back(), '.') << "the system's full stop and line end are cut";
}

// A row's folder and what its arrangement leaves running while the save goes on.
struct Scene
{
    explicit Scene(std::wstring path) : folder(std::move(path)) {}
    ~Scene() { ::DeleteFileW((folder + L"\\filler").c_str()); } // the small disk serves the next row
    std::wstring folder;
    std::wstring target = folder + L"\\Velmora.reg";
    win32::UniqueFile holder;
    std::jthread releaser;
};

using Arrangement = void (*)(Scene& scene);

void MakeFolder(Scene& scene)
{
    ::DeleteFileW(scene.target.c_str());
    ASSERT_TRUE(::CreateDirectoryW(scene.target.c_str(), nullptr));
}

void MakeReadOnly(Scene& scene)
{
    ASSERT_TRUE(::SetFileAttributesW(scene.target.c_str(), FILE_ATTRIBUTE_READONLY));
}

// Held open, or read by a registry editor that finishes reading the previous file while the save waits.
template <bool kLetGo>
void Hold(Scene& scene)
{
    scene.holder.reset(::CreateFileW(scene.target.c_str(), GENERIC_READ, kLetGo ? FILE_SHARE_READ : 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    if (kLetGo)
        scene.releaser = std::jthread([&holder = scene.holder] {
            ::Sleep(300);
            holder.reset();
        });
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
    if (kSymbolic)
        ::CreateSymbolicLinkW(scene.target.c_str(), L"linked.reg", SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    // Wine 8's CreateSymbolicLinkW reports success and makes nothing. Wine starts a Unix program like
    // any other, so the system's own ln makes the link; with nothing to wait on, the link is polled for.
    if (!exists())
        RunAndWait(L"/bin/ln -s linked.reg Velmora.reg", scene.folder.c_str());
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

// Leftovers of crashed runs, named as this process names its temporary files, fill every name tried.
void TakeEveryTemporaryName(Scene& scene)
{
    const std::wstring stem = scene.target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-";
    for (int n = 1; n <= 100; ++n)
        WriteFileBytes(stem + std::to_wstring(n) + L".tmp", "leftover");
}

struct ReplacementRow
{
    const char* name;
    Arrangement arrange;
    const char* valueLine;
    // Each unit's failure number: the undo file's Create, four lines and Close, Velmora.reg's, then
    // Commit; all 0: both new files are in place.
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
    Scene scene{fillsDisk ? win32::Widen(smallDisk) : temp.Path()};
    const std::wstring undoPath = scene.folder + L"\\Velmora-undo.reg";
    WriteFileBytes(undoPath, "old undo");
    WriteFileBytes(scene.target, "old content");
    if (row.arrange)
        row.arrange(scene);
    if (IsSkipped() || HasFatalFailure())
        return;
    const Files others = FilesIn(scene.folder, false);

    const std::vector<std::string> undoLines = {"Windows Registry Editor Version 5.00", "", "[k]", R"("a"=-)"};
    const std::vector<std::string> regLines = {"REGEDIT4", "", "[" + std::string(8192, 'k') + "]", row.valueLine};
    Win32RegFileOutput output;
    std::string failures; // each number after a space
    const auto record = [&](auto&& unit) { failures += ' ' + std::to_string(FailureNumberOf(unit)); };
    const auto writeFile = [&](const std::wstring& path, FileEncoding encoding, const std::vector<std::string>& lines) {
        record([&] { output.Create(win32::Narrow(path), encoding); });
        for (const std::string& line : lines)
            record([&] { output.WriteLine(line); });
        record([&] { output.Close(); });
    };
    writeFile(undoPath, FileEncoding::Utf16, undoLines);
    writeFile(scene.target, FileEncoding::SystemAnsi, regLines);
    record([&] { output.Commit(); });
    scene.releaser = {}; // joined before the handle it closes goes
    scene.holder.reset();

    EXPECT_EQ(failures.substr(1), row.failures);
    const bool saved = failures.find_first_not_of("0 ") == std::string::npos;
    if (row.arrange != MakeFolder)
    {
        EXPECT_EQ(ReadFileBytes(scene.target),
                  saved ? "REGEDIT4\r\n\r\n" + regLines[2] + "\r\n" + regLines[3] + "\r\n" : "old content");
    }
    std::size_t undoUnits = 1; // the byte-order mark
    for (const std::string& line : undoLines)
        undoUnits += line.size() + 2;
    EXPECT_EQ(ReadFileBytes(undoPath).size(), saved ? 2 * undoUnits : 8) << "the undo file changed alone";
    EXPECT_EQ(FilesIn(scene.folder, false), others) << "a temporary file was left, or a linked file written through";
}

constexpr const char* kValue = R"("a"="b")";
constexpr const char* kSaved = "0 0 0 0 0 0 0 0 0 0 0 0 0";

INSTANTIATE_TEST_SUITE_P(
    Table, RegFileReplacement,
    testing::Values(
        ReplacementRow{"ReadOnlyTarget", MakeReadOnly, kValue, "0 0 0 0 0 0 75 52 52 52 52 52 52"},
        ReplacementRow{"TargetIsAFolder", MakeFolder, kValue, "0 0 0 0 0 0 75 52 52 52 52 52 52"},
        ReplacementRow{"EveryTemporaryNameTaken", TakeEveryTemporaryName, kValue, "0 0 0 0 0 0 58 52 52 52 52 52 52"},
        ReplacementRow{"TargetHeldOpen", Hold<false>, kValue, "0 0 0 0 0 0 0 0 0 0 0 0 70"},
        ReplacementRow{"TargetLetGoWithinTheWait", Hold<true>, kValue, kSaved},
        ReplacementRow{"UnmappableCharacter", nullptr, "\"\xE6\x97\xA5\"=\"b\"", "0 0 0 0 0 0 0 0 0 0 1113 52 52"},
        ReplacementRow{"SymbolicLink", Link<true>, kValue, kSaved},
        ReplacementRow{"HardLink", Link<false>, kValue, kSaved},
        ReplacementRow{"DiskFull", FillDisk<1>, kValue, "0 0 0 0 0 0 0 61 52 52 52 52 52"},
        ReplacementRow{"DiskFullWhileCopyingTheOldFileAside", FillDisk<5>, kValue, "0 0 0 0 0 0 0 0 0 0 0 0 61"}),
    RowName());

// A save killed between its two moves (a process id that never runs) left a new Velmora-undo.reg
// beside the old Velmora.reg, with its copies of both old files, its journal and a new file; a
// running process's file and one of the user's lie beside them.
TEST(RegFileWriter, TheNextSaveUndoesACommitCutBetweenItsMovesAndClearsUpWhatOnlyTheDeadLeft)
{
    TempFolder folder;
    const std::wstring dead = L".4294967292-1";
    const std::wstring journal =
        L"Velmora-undo.reg\nVelmora-undo.reg.4294967292-1.old\nVelmora.reg\nVelmora.reg.4294967292-1.old\n";
    const Files kept = {{L"Velmora.reg." + std::to_wstring(::GetCurrentProcessId()) + L"-1.tmp", "being written"},
                        {L"Velmora.reg.4294967292-1.txt", "the user's"}};
    Files planted = {{L"Velmora-undo.reg", "new undo"},
                     {L"Velmora-undo.reg" + dead + L".old", "old undo"},
                     {L"Velmora.reg", "old"},
                     {L"Velmora.reg" + dead + L".old", "old"},
                     {L"Velmora.reg" + dead + L".tmp", "new"},
                     {L"Velmora-undo.reg" + dead + L".commit",
                      std::string(reinterpret_cast<const char*>(journal.data()), journal.size() * sizeof(wchar_t))}};
    planted.insert(kept.begin(), kept.end());
    for (const auto& [name, bytes] : planted)
        WriteFileBytes(folder.Child(name), bytes);

    Win32RegFileOutput output;
    output.Reserve(
        std::vector{win32::Narrow(folder.Child(L"Velmora-undo.reg")), win32::Narrow(folder.Child(L"Velmora.reg"))});
    Files expected = {{L"Velmora-undo.reg", "old undo"}, {L"Velmora.reg", "old"}};
    expected.insert(kept.begin(), kept.end());
    EXPECT_EQ(FilesIn(folder.Path()), expected);
}

} // namespace
