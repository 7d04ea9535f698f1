#include "win32/dropped_files.h"

#include "win32/lazy_library.h"
#include "win32/unique_handle.h"

namespace velmora::win32
{
namespace
{

struct DropTraits
{
    using Handle = HDROP;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle drop) noexcept
    {
        try
        {
            static const auto dragFinish = LoadSystemFunction<decltype(&::DragFinish)>(L"shell32.dll", "DragFinish");
            dragFinish(drop);
        }
        catch (...)
        {
            // Without shell32 nothing in this process could release it.
        }
    }
};
using UniqueHdrop = UniqueAny<DropTraits>;

} // namespace

std::wstring TakeFirstDroppedPath(HDROP drop)
{
    const UniqueHdrop owned(drop);
    static const auto dragQueryFile = LoadSystemFunction<decltype(&::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    // Asked for its length first: a path may be longer than MAX_PATH.
    const UINT length = dragQueryFile(drop, 0, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring path(length + 1, L'\0');
    path.resize(dragQueryFile(drop, 0, path.data(), length + 1));
    return path;
}

} // namespace velmora::win32
