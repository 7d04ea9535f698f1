#include "regchange/reg_file_win32.h"

#include "win32/paths.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <algorithm>
#include <climits>

namespace velmora::win32
{
namespace
{

// Returns false when a character had no place in the code page (and the text would be altered).
bool TryEncodeAnsi(std::string_view utf8, std::string* encoded)
{
    const std::wstring wide = Widen(utf8);
    if (wide.empty())
        return true;
    if (wide.size() > INT_MAX / 2)
        throw RuntimeFailure(kErrOutOfMemory);
    // With UTF-8 as the system code page every character fits; that code page refuses the flags below.
    const bool utf8CodePage = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8CodePage ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8CodePage ? nullptr : &usedDefault;
    const int wideLength = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefaultOut);
    if (length == 0 || usedDefault)
        return false;
    if (encoded)
    {
        encoded->resize(static_cast<std::size_t>(length));
        ::WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, encoded->data(), length, nullptr, nullptr);
    }
    return true;
}

// The text in the system ANSI code page; a character without a place in it fails with 1113.
std::string EncodeAnsi(std::string_view utf8)
{
    std::string encoded;
    if (!TryEncodeAnsi(utf8, &encoded))
        throw RuntimeFailure(kErrNoCodePageMapping);
    return encoded;
}

} // namespace

bool Win32RegFileOutput::CanEncode(std::string_view text) const
{
    return TryEncodeAnsi(text, nullptr);
}

void Win32RegFileOutput::Create(std::string_view path, FileEncoding)
{
    m_file.reset();
    const std::wstring widePath = ExtendedLengthPath(Widen(path));
    // Windows refuses to replace a read-only file; Wine running as root would replace it,
    // so the refusal is made here for both.
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw FailureFromWin32(ERROR_ACCESS_DENIED, FailureSource::File);
    // No sharing while it is written: regedit must not read a half-written file.
    m_file.reset(::CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
    if (!m_file)
        ThrowLastError(FailureSource::File);
}

void Win32RegFileOutput::WriteLine(std::string_view text)
{
    if (!m_file)
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    std::string bytes = EncodeAnsi(text);
    bytes += "\r\n";
    std::size_t written = 0;
    while (written < bytes.size())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 30));
        DWORD done = 0;
        if (!::WriteFile(m_file.get(), bytes.data() + written, chunk, &done, nullptr))
            ThrowLastError(FailureSource::File);
        if (done == 0)
            throw RuntimeFailure(kErrDiskFull);
        written += done;
    }
}

void Win32RegFileOutput::Close()
{
    if (!m_file)
        return;
    const HANDLE file = m_file.release();
    if (!::CloseHandle(file))
        ThrowLastError(FailureSource::File);
}

} // namespace velmora::win32
