#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace velmora::win32
{

/// WM_DROPFILES: the full path of the first dropped file or folder, however long; empty when the
/// drop holds none. The drop handle is released (DragFinish) in every case.
std::wstring TakeFirstDroppedPath(HDROP drop);

} // namespace velmora::win32
