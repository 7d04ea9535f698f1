#include "regchange/reg_file_win32.h"

#include "win32/paths.h"
#include "win32/scope_exit.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

#include <climits>

namespace velmora::win32
{
namespace
{

// One save holds the turn through at most two waits of about 2 s (the previous save's reader,
// then a program holding a target at the commit) and the shell's start.
constexpr DWORD kTurnWaitMs = 5000;

// The text and CR LF as the file stores them.
std::string EncodeLine(std::string_view utf8, FileEncoding encoding)
{
    if (encoding == FileEncoding::SystemAnsi)
        return EncodeAnsi(utf8) + "\r\n";
    // Windows is little-endian on every processor it runs on, so the code units are UTF-16LE as they lie.
    const std::wstring wide = Widen(utf8) + L"\r\n";
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// A target held to the end of the wait is the failure that says why.
RuntimeFailure Explained(const RuntimeFailure& failure)
{
    return failure.Number() == kErrPermissionDenied ? HeldFileFailure() : failure;
}

} // namespace

void Win32RegFileOutput::Reserve(std::span<const std::string> targets)
{
    std::vector<std::wstring> files;
    for (const std::string& target : targets)
        files.push_back(ExtendedLengthPath(Widen(target)));
    if (!m_turn.Take(L"Velmora.save", FolderOf(files.front()), kTurnWaitMs))
        throw BusyFolderFailure();
    ScopeExit release([this] { m_turn.Release(); });
    if (!WaitUntilFree(files))
        throw HeldFileFailure();
    RecoverLeftovers(files);
    release.Release();
}

bool Win32RegFileOutput::CanEncode(std::string_view text) const
{
    return CanEncodeAnsi(text);
}

void Win32RegFileOutput::Create(std::string_view path, FileEncoding encoding)
{
    m_encoding = encoding;
    m_files.Open(Widen(path));
    if (encoding == FileEncoding::Utf16)
        m_files.Write("\xFF\xFE"); // byte-order mark: regedit reads the file as UTF-16LE
}

void Win32RegFileOutput::WriteLine(std::string_view text)
{
    if (!m_files.IsOpen())
        throw RuntimeFailure(kErrBadFileNameOrNumber);
    // A file that lacks a line must never take the target's place.
    ScopeExit discard([this] { m_files.Discard(); });
    const std::string bytes = EncodeLine(text, m_encoding);
    discard.Release();
    m_files.Write(bytes);
}

void Win32RegFileOutput::Close()
{
    m_files.Finish();
}

void Win32RegFileOutput::Commit()
{
    try
    {
        m_files.Commit();
    }
    catch (const RestoreFailed& failure)
    {
        throw UnrestoredFileFailure(Explained(failure), Narrow(FileNameOf(failure.target)), Narrow(failure.copy));
    }
    catch (const RuntimeFailure& failure)
    {
        throw Explained(failure);
    }
}

} // namespace velmora::win32
