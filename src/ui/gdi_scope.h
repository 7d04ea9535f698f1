#pragma once

#include <windows.h>

namespace velmora::ui
{

// Scoped device contexts and selections: each gives back what it took when it ends.

/// A window's device context from GetDC, released with ReleaseDC.
class WindowDc
{
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDc() { ::ReleaseDC(m_window, m_dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    [[nodiscard]] HDC get() const noexcept { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

/// The painting of one WM_PAINT, from BeginPaint to EndPaint.
class PaintScope
{
public:
    explicit PaintScope(HWND window) : m_window(window) { m_dc = ::BeginPaint(window, &m_paint); }
    ~PaintScope() { ::EndPaint(m_window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    [[nodiscard]] HDC get() const noexcept { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};

/// A pen, brush or font selected into a device context; the one it replaced is selected again at
/// the end, so that the object can be deleted while the context lives on.
class SelectedObject
{
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(m_dc, m_old); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace velmora::ui
