#pragma once

#include "shell/desktop_win32.h"
#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "test_helpers.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmora::testing_support
{

// With FindFirstFileW rather than std::filesystem, which stops at folders deeper than MAX_PATH.
inline void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    win32::UniqueAny<win32::InvalidValueHandleTraits<::FindClose>> search(
        ::FindFirstFileW((path + L"\\*").c_str(), &found));
    for (BOOL more = static_cast<bool>(search); more; more = ::FindNextFileW(search.get(), &found))
    {
        const std::wstring name = found.cFileName, child = path + L"\\" + name;
        if (name == L"." || name == L"..")
            continue;
        ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL); // tests leave read-only files
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(child);
        else
            ::DeleteFileW(child.c_str());
    }
    search.reset();
    ::RemoveDirectoryW(path.c_str());
}

// A fresh folder under %TEMP%, removed with everything in it when the test ends.
struct TempFolder
{
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() { RemoveTree(path); }
    std::string PathUtf8() const { return win32::Narrow(path); }
    std::wstring Child(const std::wstring& name) const { return path + L"\\" + name; }

    inline static unsigned count = 0;
    const std::wstring path = (std::filesystem::temp_directory_path() /
                               (L"velmora-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(++count)))
                                  .wstring();
};

/// The file's bytes; "?" when it cannot be read (a folder, a file held open).
inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : "?";
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    if (!(std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes))
        throw std::runtime_error("cannot write file");
}

inline std::wstring ThisProgram()
{
    wchar_t self[MAX_PATH] = L"";
    return {self, ::GetModuleFileNameW(nullptr, self, MAX_PATH)};
}

/// Runs the command line in the folder (nullptr: the current one) and waits up to waitMs for it to
/// end; false when it cannot be started or does not end.
inline bool RunCommand(std::wstring commandLine, const wchar_t* folder = nullptr, DWORD waitMs = 30000)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &started))
        return false;
    // For a Unix program Wine returns no process handle, and a thread "handle" that is none.
    const win32::UniqueHandle process(started.hProcess), thread(started.hProcess ? started.hThread : nullptr);
    return !process || ::WaitForSingleObject(process.get(), waitMs) == WAIT_OBJECT_0;
}

/// The real desktop, but message boxes are recorded instead of shown, and the program's folder is another.
struct RecordingDesktop : win32::Win32Desktop
{
    explicit RecordingDesktop(std::string programFolder) : folder(std::move(programFolder)) {}
    std::vector<std::string> messages; // "style [title] text"
    std::string folder;

    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override
    {
        messages.push_back(StyleName(style) + " [" + std::string(title.value_or("")) + "] " + std::string(prompt));
    }
    std::string ApplicationFolder() override { return folder; }
};

/// Removes a test key below HKEY_CURRENT_USER and everything below it, before and after a test.
struct ScopedTestKey
{
    explicit ScopedTestKey(const wchar_t* name) : key(name) { ::RegDeleteTreeW(HKEY_CURRENT_USER, name); }
    ~ScopedTestKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }
    const std::wstring key;
};

} // namespace velmora::testing_support
