#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace velmora::ui
{

/// WM_DROPFILES: the full path of the first dropped file or folder, however long; empty when the
/// drop holds none. The block is checked before it is read: a handle that cannot be locked is left
/// alone, and a malformed block is ignored, not freed (it may be memory the program owns); a good
/// one is released (DragFinish).
std::wstring TakeFirstDroppedPath(HDROP drop);

} // namespace velmora::ui
