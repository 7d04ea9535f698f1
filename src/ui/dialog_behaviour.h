#pragma once

#include <windows.h>

namespace velmora::ui
{

// What a top-level window of controls needs, besides IsDialogMessage in the message loop, to
// behave like a dialog box: its background painted, the focus given back to the control that
// had it when the window is activated again, Enter for its default button, and the rule of a
// dialog box that the push button with the focus is the default one.
//
// IsDialogMessage alone falls short in a window that is not a dialog box: on Tab it clears every
// default push button and restores only the one DM_GETDEFID names.
class DialogBehaviour
{
public:
    explicit DialogBehaviour(int defaultButtonId) : m_defaultButtonId(defaultButtonId) {}

    /// The control that gets the focus when the window is first activated.
    void SetFocusControl(HWND control) { m_focusControl = control; }

    /// Handles the message when it is one of the above; then returns true with its result.
    bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HBRUSH background, LRESULT& result);

private:
    void OnActivate(HWND window, bool active);

    int m_defaultButtonId;
    HWND m_focusControl = nullptr;
};

} // namespace velmora::ui
