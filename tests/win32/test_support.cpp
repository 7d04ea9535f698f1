#include "test_support.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <cwchar>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace velmora::testing_support
{

namespace fs = std::filesystem;

// With FindFirstFileW rather than std::filesystem, which stops at folders deeper than MAX_PATH.
using UniqueFindHandle = win32::UniqueAny<win32::InvalidValueHandleTraits<::FindClose>>;

static void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(::FindFirstFileW((path + L"\\*").c_str(), &found));
    for (BOOL more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found))
    {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring child = path + L"\\" + name;
        ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL); // tests leave read-only files
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(child);
        else
            ::DeleteFileW(child.c_str());
    }
    search.reset();
    ::RemoveDirectoryW(path.c_str());
}

static unsigned g_tempFolders = 0;

TempFolder::TempFolder()
    : path((fs::temp_directory_path() /
            (L"velmora-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++g_tempFolders)))
               .wstring())
{
    RemoveTree(path);
    fs::create_directories(path);
}

TempFolder::~TempFolder()
{
    RemoveTree(path);
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : "?";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    if (!(out << bytes))
        throw std::runtime_error("cannot write file");
}

win32::UniqueHandle Start(std::wstring commandLine, const wchar_t* folder)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process))
        throw std::runtime_error("cannot start " + win32::Narrow(commandLine));
    // For a Unix program Wine returns no process handle and a thread "handle" that is none.
    win32::UniqueHandle threadHandle(process.hProcess ? process.hThread : nullptr);
    return win32::UniqueHandle(process.hProcess);
}

bool RunAndWait(std::wstring commandLine, const wchar_t* folder)
try
{
    const win32::UniqueHandle process = Start(std::move(commandLine), folder);
    return !process || ::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
}
catch (const std::runtime_error&)
{
    return false;
}

int EndProcessesStartedFrom(const std::wstring& folder)
{
    int ended = 0;
    win32::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
    {
        win32::UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                                                  FALSE, entry.th32ProcessID));
        wchar_t image[MAX_PATH * 4];
        DWORD length = static_cast<DWORD>(std::size(image));
        if (!process || !::QueryFullProcessImageNameW(process.get(), 0, image, &length) ||
            ::CompareStringOrdinal(image, static_cast<int>(folder.size()), folder.c_str(),
                                   static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
            continue;
        if (::TerminateProcess(process.get(), 1))
        {
            ::WaitForSingleObject(process.get(), 5000);
            ++ended;
        }
    }
    return ended;
}

} // namespace velmora::testing_support

// Besides the tests, this program is an association that hands a .reg file on, as a launcher does:
// "--launch DELAY FILE" starts it again as "--late DELAY FILE" and ends at once; that one has the
// registry editor read the file DELAY ms later.
int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc == 4 ? argv[1] : L"";
    if (mode == L"--launch" || mode == L"--late")
    {
        wchar_t self[MAX_PATH] = L"";
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        if (mode == L"--late")
            ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        velmora::testing_support::Start(
            (mode == L"--late" ? L"regedit.exe" : L"\"" + std::wstring(self) + L"\" --late " + argv[2]) + L" \"" +
            argv[3] + L"\"");
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
