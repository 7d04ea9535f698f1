#include "win32/win32_failure.h"

#include "win32/unique_handle.h"
#include "win32/wide.h"

#include <cstdint>

namespace velmora::win32
{
namespace
{

std::int32_t MappedNumber(DWORD error, FailureSource source)
{
    switch (error)
    {
    case ERROR_FILE_NOT_FOUND:
        return kErrFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return kErrPathNotFound;
    case ERROR_ACCESS_DENIED:
        return source == FailureSource::File ? kErrPathFileAccess : kErrPermissionDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return kErrPermissionDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
        return kErrBadFileNameOrNumber;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return kErrDiskFull;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return kErrOutOfMemory;
    case ERROR_INVALID_PARAMETER:
    case ERROR_BADKEY:
        return kErrInvalidArgument;
    default:
        return 0;
    }
}

std::string SystemMessage(DWORD error)
{
    UniqueLocalPtr<wchar_t> buffer;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
    std::wstring text(buffer ? buffer.get() : L"", length);
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return Narrow(text);
}

} // namespace

RuntimeFailure FailureFromWin32(DWORD error, FailureSource source)
{
    if (const std::int32_t number = MappedNumber(error, source); number != 0)
        return RuntimeFailure(number);
    // An error without a number of its own is reported as its HRESULT, never passed over.
    const auto hresult = static_cast<std::int32_t>(HRESULT_FROM_WIN32(error));
    std::string description = SystemMessage(error);
    if (description.empty())
        description = "System error " + std::to_string(error);
    return RuntimeFailure(hresult, std::move(description));
}

void ThrowLastError(FailureSource source)
{
    throw FailureFromWin32(::GetLastError(), source);
}

} // namespace velmora::win32
