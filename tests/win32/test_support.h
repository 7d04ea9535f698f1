#pragma once

#include "shell/desktop_win32.h"
#include "win32/unique_handle.h"
#include "win32/wide.h"
#include "test_helpers.h"

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::testing_support
{

// A fresh folder under %TEMP%, removed with everything in it when the test ends.
struct TempFolder
{
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string PathUtf8() const { return win32::Narrow(path); }
    std::wstring Child(const std::wstring& name) const { return path + L"\\" + name; }
    const std::wstring path;
};

/// The file's bytes; "?" when it cannot be read (a folder, a file held open).
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

/// Starts the command line in the folder (nullptr: the current one); its process, of which Wine
/// gives none for a Unix program. Throws when it cannot be started.
win32::UniqueHandle Start(std::wstring commandLine, const wchar_t* folder = nullptr);

/// Starts the command line in the folder and waits up to 30 s for it to end; false when it cannot
/// be started or does not end.
bool RunAndWait(std::wstring commandLine, const wchar_t* folder = nullptr);

/// The real desktop, but message boxes are recorded instead of shown and the application
/// folder is another one.
class RecordingDesktop : public win32::Win32Desktop
{
public:
    explicit RecordingDesktop(std::string programFolder) : folder(std::move(programFolder)) {}
    std::vector<std::string> messages; // "style [title] text"
    std::string folder;

    void ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title) override
    {
        messages.push_back(StyleName(style) + " [" + std::string(title.value_or("")) + "] " + std::string(prompt));
    }
    std::string ApplicationFolder() override { return folder; }
};

/// Ends the processes whose program file lies in that folder (a test's own temporary folder, so
/// only what the test started); returns how many there were.
int EndProcessesStartedFrom(const std::wstring& folder);

/// Removes a test key below HKEY_CURRENT_USER and everything below it, before and after a test.
struct ScopedTestKey
{
    explicit ScopedTestKey(std::wstring key) : path(std::move(key))
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    ~ScopedTestKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;
    const std::wstring path;
};

} // namespace velmora::testing_support
