#include "win32/wide.h"

#include "common/runtime_failure.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace velmora::win32
{

namespace
{

std::wstring WidenFrom(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > INT_MAX)
        throw std::length_error("text too long");
    const int inputLength = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), inputLength, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), inputLength, wide.data(), length);
    return wide;
}

} // namespace

std::wstring Widen(std::string_view utf8)
{
    return WidenFrom(CP_UTF8, utf8);
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    if (utf16.size() > INT_MAX)
        throw std::length_error("text too long");
    const int inputLength = static_cast<int>(utf16.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inputLength, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inputLength, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring WidenAnsi(std::string_view ansi)
{
    return WidenFrom(CP_ACP, ansi);
}

namespace
{

// Returns false when a character had no place in the code page (and the text would be altered);
// fills encoded only when given one.
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
    const int length =
        ::WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefaultOut);
    if (length == 0 || usedDefault)
        return false;
    if (encoded)
    {
        encoded->resize(static_cast<std::size_t>(length));
        ::WideCharToMultiByte(CP_ACP, flags, wide.data(), wideLength, encoded->data(), length, nullptr, nullptr);
    }
    return true;
}

} // namespace

bool CanEncodeAnsi(std::string_view utf8)
{
    return TryEncodeAnsi(utf8, nullptr);
}

std::string EncodeAnsi(std::string_view utf8)
{
    std::string encoded;
    if (!TryEncodeAnsi(utf8, &encoded))
        throw RuntimeFailure(kErrNoCodePageMapping);
    return encoded;
}

} // namespace velmora::win32
