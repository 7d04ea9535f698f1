#include "regchange/reg_file_win32.h"

#include "common/runtime_failure.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"
#include "test_helpers.h"
#include "test_support.h"

#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <thread>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing_support;
using velmora::win32::Win32RegFileOutput;

namespace
{

using Files = std::map<std::wstring, std::string>; // by name, with their bytes

// The files in the folder (none when there is no folder), with their bytes.
Files FilesIn(const std::wstring& folder)
{
    Files files;
    std::error_code noFolder;
    for (const auto& entry : std::filesystem::directory_iterator(folder, noFolder))
        files[entry.path().filename().wstring()] = ReadFileBytes(entry.path().wstring());
    return files;
}

// The lines as the file holds them: in UTF-16 (ASCII only here) after a byte-order mark, or as they are.
std::string FileOf(const std::vector<std::string>& lines, bool utf16)
{
    std::string bytes = utf16 ? "\xFF\xFE" : "";
    for (const std::string& line : lines)
        for (const char c : line + "\r\n")
            bytes += utf16 ? std::string{c, '\0'} : std::string{c};
    return bytes;
}

TEST(RegFileWriter, KnowsWhichCharactersTheCodePageHolds)
{
    Win32RegFileOutput output;
    ASSERT_EQ(::GetACP(), 1252u) << "the test prefix is expected to use Western European Windows";
    EXPECT_TRUE(output.CanEncode("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC")); // Grüße €: all in 1252
    EXPECT_FALSE(output.CanEncode("\xE6\x97\xA5"));                       // 日
    EXPECT_FALSE(output.CanEncode("\xC4\x81")) << "ā must not be written as a best-fit a";
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
constexpr const char* kSaved = "0 0 0 0 0 0 0 0 0 0 0 0 0";

void RemoveFolder(Scene& scene)
{
    ::DeleteFileW(scene.target.c_str());
    ::DeleteFileW((scene.folder + L"\\Velmora-undo.reg").c_str());
    ASSERT_TRUE(::RemoveDirectoryW(scene.folder.c_str()));
}

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
    Files expected = FilesIn(scene.folder); // a target held open reads "?", here and below

    const std::vector<std::string> undoLines = {"Windows Registry Editor Version 5.00", "", "[k]", R"("a"=-)"};
    const std::vector<std::string> regLines = {"REGEDIT4", "", "[" + std::string(8192, 'k') + "]", R"("a"="b")"};
    std::optional<Win32RegFileOutput> output(std::in_place);
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
    scene.releaser = {};

    EXPECT_EQ(failures.substr(1), row.failures);
    if (failures.substr(1) == kSaved)
    {
        expected[L"Velmora-undo.reg"] = FileOf(undoLines, true);
        expected[L"Velmora.reg"] = FileOf(regLines, false);
    }
    EXPECT_EQ(FilesIn(scene.folder), expected) << "a temporary file was left, or a linked file written through";
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegFileReplacement,
    testing::Values(ReplacementRow{"NoFolder", RemoveFolder, "76 52 52 52 52 52 76 52 52 52 52 52 52"},
                    ReplacementRow{"AbandonedBeforeCommit", nullptr, "0 0 0 0 0 0 0 0"},
                    ReplacementRow{"ReadOnlyTarget", MakeReadOnly, "0 0 0 0 0 0 75 52 52 52 52 52 52"},
                    ReplacementRow{"TargetIsAFolder", MakeFolder, "0 0 0 0 0 0 75 52 52 52 52 52 52"},
                    ReplacementRow{"EveryTemporaryNameTaken", TakeEveryTemporaryName,
                                   "0 0 0 0 0 0 58 52 52 52 52 52 52"},
                    ReplacementRow{"TargetHeldOpen", Hold<false>, "0 0 0 0 0 0 0 0 0 0 0 0 70"},
                    ReplacementRow{"TargetLetGoWithinTheWait", Hold<true>, kSaved},
                    ReplacementRow{"SymbolicLink", Link<true>, kSaved}, ReplacementRow{"HardLink", Link<false>, kSaved},
                    ReplacementRow{"DiskFull", FillDisk<1>, "0 0 0 0 0 0 0 61 52 52 52 52 52"},
                    ReplacementRow{"DiskFullWhileCopyingTheOldFileAside", FillDisk<5>, "0 0 0 0 0 0 0 0 0 0 0 0 61"}),
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
    EXPECT_EQ(FilesIn(folder.path), expected);
}

} // namespace
