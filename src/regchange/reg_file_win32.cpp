#include "regchange/reg_file_win32.h"

#include "win32/scope_exit.h"
#include "win32/wide.h"
#include "win32/win32_failure.h"

namespace velmora::win32
{
namespace
{

// The text and CR LF as the file stores them.
std::string EncodeLine(std::string_view utf8, FileEncoding encoding)
{
    if (encoding == FileEncoding::SystemAnsi)
        return EncodeAnsi(utf8) + "\r\n";
    // Windows is little-endian on every processor it runs on, so the code units are UTF-16LE as they lie.
    const std::wstring wide = Widen(utf8) + L"\r\n";
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

// A failure of the transaction as the user is told it.
template <class Step>
void Explained(Step step)
{
    try
    {
        step();
    }
    catch (const RuntimeFailure& failure)
    {
        throw ExplainedFileFailure(failure);
    }
}

} // namespace

void Win32RegFileOutput::Reserve(std::span<const std::string> targets, transaction::WaitObserver& observer)
{
    m_turn.reset();
    m_waits.to = &observer;
    Explained([&] { m_turn.emplace(m_folderTurn, m_port, m_waits, targets); });
}

bool Win32RegFileOutput::CanEncode(std::string_view text) const
{
    return CanEncodeAnsi(text);
}

void Win32RegFileOutput::Create(std::string_view path, FileEncoding encoding)
{
    m_encoding = encoding;
    Explained([&] { m_files.Open(std::string(path)); });
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
    Explained([&] { m_files.Finish(); });
}

void Win32RegFileOutput::Commit()
{
    Explained([&] { m_files.Commit(); });
}

} // namespace velmora::win32
