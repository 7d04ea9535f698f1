#pragma once

#include <windows.h>

#include <exception>

namespace velmora::ui
{

/// What a window needs of the program that opens it.
class WindowHost
{
public:
    virtual ~WindowHost() = default;
    [[nodiscard]] virtual HINSTANCE Instance() const = 0;
    /// The resource id of the program's icon.
    [[nodiscard]] virtual int IconId() const = 0;
    /// At WM_CREATE and WM_DESTROY: the program ends when its last window has closed.
    virtual void WindowOpened(HWND window) = 0;
    virtual void WindowClosed(HWND window) = 0;
    /// An exception that reached a window procedure: a fault of the program, which says so in its
    /// own words; the window lives on.
    virtual void ReportFault(std::exception_ptr fault) noexcept = 0;
};

} // namespace velmora::ui
