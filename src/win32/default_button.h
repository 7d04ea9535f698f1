#pragma once

#include <windows.h>

namespace velmora::win32
{

// In a window that is not a dialog box, IsDialogMessage clears every default push button when
// Tab moves the focus and restores only the one DM_GETDEFID names. The rule of a dialog box is
// kept here instead: the push button that has the focus is the default one, otherwise the
// window's own default button. Call it when a child gains the focus, after the dialog manager
// is done (post a message).
void ApplyDefaultButtonRule(HWND parent, int defaultButtonId);

} // namespace velmora::win32
