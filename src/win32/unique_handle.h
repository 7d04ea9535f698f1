#pragma once

#include <windows.h>

#include <utility>

namespace velmora::win32
{

// A move-only owner of one Win32 handle; the Traits say which value is invalid and how to close.
template <class Traits>
class UniqueAny
{
public:
    using Handle = typename Traits::Handle;

    UniqueAny() noexcept = default;
    explicit UniqueAny(Handle handle) noexcept : m_handle(handle) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : m_handle(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    ~UniqueAny() { reset(); }

    [[nodiscard]] Handle get() const noexcept { return m_handle; }
    [[nodiscard]] explicit operator bool() const noexcept { return m_handle != Traits::Invalid(); }

    void reset(Handle handle = Traits::Invalid()) noexcept
    {
        if (m_handle != Traits::Invalid())
            Traits::Close(m_handle);
        m_handle = handle;
    }

    [[nodiscard]] Handle release() noexcept { return std::exchange(m_handle, Traits::Invalid()); }

    /// For out-parameters: closes what is held and hands out the place for a new handle.
    [[nodiscard]] Handle* put() noexcept
    {
        reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

template <class H, auto CloseFn>
struct HandleTraits
{
    using Handle = H;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle handle) noexcept { CloseFn(handle); }
};

// File handles use INVALID_HANDLE_VALUE, not null, for "none".
template <auto CloseFn>
struct InvalidValueHandleTraits
{
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { CloseFn(handle); }
};

using UniqueHandle = UniqueAny<HandleTraits<HANDLE, ::CloseHandle>>;
using UniqueFile = UniqueAny<InvalidValueHandleTraits<::CloseHandle>>;
using UniqueHkey = UniqueAny<HandleTraits<HKEY, ::RegCloseKey>>;
using UniqueHfont = UniqueAny<HandleTraits<HFONT, ::DeleteObject>>;
using UniqueHbrush = UniqueAny<HandleTraits<HBRUSH, ::DeleteObject>>;
using UniqueHpen = UniqueAny<HandleTraits<HPEN, ::DeleteObject>>;
using UniqueHicon = UniqueAny<HandleTraits<HICON, ::DestroyIcon>>;
using UniqueHmenu = UniqueAny<HandleTraits<HMENU, ::DestroyMenu>>;
using UniqueHwnd = UniqueAny<HandleTraits<HWND, ::DestroyWindow>>;
// Memory that a function allocated for its caller with LocalAlloc (FORMAT_MESSAGE_ALLOCATE_BUFFER).
template <class T>
using UniqueLocalPtr = UniqueAny<HandleTraits<T*, ::LocalFree>>;

} // namespace velmora::win32
