#pragma once

#include "win32/unique_handle.h"

#include <windows.h>

#include <string>

namespace velmora::testing_support
{

// A fresh folder under %TEMP%, removed with everything in it when the test ends.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::string PathUtf8() const;
    std::wstring Child(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

/// Merges a registration file the way an administrator would: regedit /s, waiting for it to finish.
void MergeWithRegedit(const std::wstring& regFile);

/// Reads a string value; false when it is missing.
bool ReadRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value);

/// Polls for a value that another process (regedit) writes in the background; false after 15 s.
bool WaitForRegistryString(HKEY root, const std::wstring& key, const std::wstring& name, std::wstring& value);

/// Removes a test key and everything below it, before and after a test.
class ScopedTestKey
{
public:
    ScopedTestKey(HKEY root, std::wstring path);
    ~ScopedTestKey();
    ScopedTestKey(const ScopedTestKey&) = delete;
    ScopedTestKey& operator=(const ScopedTestKey&) = delete;

private:
    HKEY m_root;
    std::wstring m_path;
};

} // namespace velmora::testing_support
