// The yardsticks of velmora.exe's start-up time. Alone, the smallest Win32 window program. Built
// with MINIMAL_CONTROLS, the same window with what velmora.exe's main window has before any of
// Velmora's own code runs: its manifest (linked in by minimal_controls.rc), the common controls
// initialised, a menu bar of three commands and as many controls of each class (7 labels, 5 text
// boxes, 3 buttons).
#include <windows.h>
#ifdef MINIMAL_CONTROLS
#include <commctrl.h>

#include <initializer_list>
#endif

namespace
{

#ifdef MINIMAL_CONTROLS
constexpr wchar_t kTitle[] = L"MinimalControls";
#else
constexpr wchar_t kTitle[] = L"MinimalWindow";
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
    {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

#ifdef MINIMAL_CONTROLS
HMENU CreateMenuBar()
{
    const HMENU menu = ::CreateMenu();
    for (const wchar_t* caption : {L"E&xit", L"&Help", L"&About"})
        ::AppendMenuW(menu, MF_STRING, 0, caption);
    return menu;
}

void CreateControls(HWND window, HINSTANCE instance)
{
    struct Kind
    {
        const wchar_t* className;
        int count;
        DWORD style;
    };
    int top = 0;
    for (const Kind& kind : {Kind{L"STATIC", 7, 0}, Kind{L"EDIT", 5, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
                             Kind{L"BUTTON", 3, WS_TABSTOP | BS_PUSHBUTTON}})
    {
        for (int i = 0; i < kind.count; ++i, top += 24)
            ::CreateWindowExW(0, kind.className, L"Text", WS_CHILD | WS_VISIBLE | kind.style, 8, top, 420, 20, window,
                              nullptr, instance, nullptr);
    }
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    HMENU menu = nullptr;
#ifdef MINIMAL_CONTROLS
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    menu = CreateMenuBar();
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kTitle;
    ::RegisterClassW(&windowClass);
    const HWND window = ::CreateWindowW(kTitle, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 466, 444,
                                        nullptr, menu, instance, nullptr);
#ifdef MINIMAL_CONTROLS
    CreateControls(window, instance);
#endif
    ::ShowWindow(window, showCommand);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
