#include "ui/dropped_files.h"

#include "win32/lazy_library.h"
#include "win32/wide.h"

#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

namespace velmora::ui
{
namespace
{

// The first name of a DROPFILES block of that size, when the block holds it whole.
std::optional<std::wstring> FirstName(const char* block, SIZE_T size)
{
    DROPFILES header{};
    std::memcpy(&header, block, sizeof(header));
    if (header.pFiles < sizeof(DROPFILES) || header.pFiles >= size)
        return std::nullopt;
    const char* names = block + header.pFiles;
    const SIZE_T room = size - header.pFiles;
    if (!header.fWide)
    {
        const char* end = std::find(names, names + room, '\0');
        if (end == names + room || end - names > INT_MAX)
            return std::nullopt;
        return win32::WidenAnsi(std::string_view(names, static_cast<std::size_t>(end - names)));
    }
    // Copied out, not read in place: the offset need not be aligned for wchar_t.
    std::wstring units(room / sizeof(wchar_t), L'\0');
    std::memcpy(units.data(), names, units.size() * sizeof(wchar_t));
    const std::size_t end = units.find(L'\0');
    if (end == std::wstring::npos)
        return std::nullopt;
    units.resize(end);
    return units;
}

} // namespace

std::wstring TakeFirstDroppedPath(HDROP drop)
{
    // A block smaller than its header, or a handle from another process (size 0), is not read.
    const SIZE_T size = ::GlobalSize(drop);
    const auto* block = static_cast<const char*>(size >= sizeof(DROPFILES) ? ::GlobalLock(drop) : nullptr);
    if (!block)
        return {};
    std::optional<std::wstring> name = FirstName(block, size);
    ::GlobalUnlock(drop);
    if (!name)
        return {};
    static const auto dragFinish = win32::LoadSystemFunction<decltype(&::DragFinish)>(L"shell32.dll", "DragFinish");
    dragFinish(drop);
    return *std::move(name);
}

} // namespace velmora::ui
