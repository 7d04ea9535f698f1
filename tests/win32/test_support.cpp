#include "test_support.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <stdexcept>
#include <vector>

namespace velmora::testing_support
{
namespace
{

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    win32::UniqueFindHandle search(::FindFirstFileW((path + L"\\*").c_str(), &found));
    if (search)
    {
        do
        {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        } while (::FindNextFileW(search.get(), &found));
    }
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(path.c_str());
}

} // namespace

TempFolder::TempFolder()
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    if (length == 0)
        throw std::runtime_error("no temp folder");
    static unsigned counter = 0;
    for (;;)
    {
        m_path = std::wstring(temp) + L"velmora-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter);
        if (::CreateDirectoryW(m_path.c_str(), nullptr))
            return;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temp folder");
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

std::string TempFolder::PathUtf8() const
{
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, m_path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, m_path.c_str(), -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

std::string ReadFileBytes(const std::wstring& path)
{
    win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    if (!file)
        throw std::runtime_error("cannot open file for reading");
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, static_cast<DWORD>(std::size(buffer)), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        throw std::runtime_error("cannot write file");
}

void MergeWithRegedit(const std::wstring& regFile)
{
    std::wstring commandLine = L"regedit.exe /s \"" + regFile + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        throw std::runtime_error("cannot start regedit");
    win32::UniqueHandle processHandle(process.hProcess);
    win32::UniqueHandle threadHandle(process.hThread);
    ASSERT_EQ(::WaitForSingleObject(processHandle.get(), 30000), WAIT_OBJECT_0) << "regedit did not finish";
}

bool ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value)
{
    DWORD bytes = 0;
    if (::RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
        ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());
    return true;
}

bool WaitForRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value)
{
    for (int attempt = 0; attempt < 300; ++attempt)
    {
        if (ReadRegistryString(root, key, name, value))
            return true;
        ::Sleep(50);
    }
    return false;
}

int EndProcessesNamed(const std::wstring& exeName)
{
    int ended = 0;
    win32::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
    {
        if (::lstrcmpiW(entry.szExeFile, exeName.c_str()) != 0)
            continue;
        win32::UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (process && ::TerminateProcess(process.get(), 1))
        {
            ::WaitForSingleObject(process.get(), 5000);
            ++ended;
        }
    }
    return ended;
}

ScopedTestKey::ScopedTestKey(HKEY root, std::wstring path) : m_root(root), m_path(std::move(path))
{
    ::RegDeleteTreeW(m_root, m_path.c_str());
}

ScopedTestKey::~ScopedTestKey()
{
    ::RegDeleteTreeW(m_root, m_path.c_str());
}

} // namespace velmora::testing_support
