// Prints what the end-to-end tests read of a running program's windows, in UTF-8:
//   TITLE [CLASS]          the first visible top-level window of that title (and window class): its client
//                          size, then each child: id, class, client rectangle, focus, default and tab-stop marks, text
//   --count TITLE [CLASS]  how many visible top-level windows match
//   --hold FILE STOP       holds the file open as a reader does, prints "held", lets go once STOP exists (30 s at most)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

std::wstring TextOf(HWND window)
{
    wchar_t text[4096] = L""; // longer than any text the tests read
    ::SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    return ::GetClassNameW(window, name, static_cast<int>(std::size(name))) ? name : L"";
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--hold")
    {
        // Reads as a registry editor does: others may read, none may write, rename or delete.
        if (::CreateFileW(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr) ==
            INVALID_HANDLE_VALUE)
            return 1;
        std::puts("held");
        std::fflush(stdout);
        for (int attempt = 0; attempt < 3000 && ::GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES; ++attempt)
            ::Sleep(10);
        return 0; // the file is let go with the process
    }
    const bool count = argc > 1 && std::wstring(argv[1]) == L"--count";
    const int first = count ? 2 : 1;
    if (argc <= first)
        return 2;
    static std::wstring title = argv[first], windowClass = first + 1 < argc ? argv[first + 1] : L"";
    static std::vector<HWND> found; // static, all three, for a callback that captures nothing
    ::EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            if (::IsWindowVisible(window) && TextOf(window) == title &&
                (windowClass.empty() || ClassOf(window) == windowClass))
                found.push_back(window);
            return TRUE;
        },
        0);
    if (count)
        std::printf("%zu\n", found.size());
    if (count || found.empty())
        return 0;
    const HWND window = found.front();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui);

    RECT r;
    ::GetClientRect(window, &r);
    std::wstring out = L"client=" + std::to_wstring(r.right) + L"x" + std::to_wstring(r.bottom) + L"\n";
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
        const std::wstring className = ClassOf(child);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        wchar_t line[400];
        std::swprintf(
            line, std::size(line), L"child id=%d class=%ls rect=%ld,%ld,%ld,%ld focus=%d default=%d tabstop=%d",
            ::GetDlgCtrlID(child), className.c_str(), r.left, r.top, r.right, r.bottom, gui.hwndFocus == child,
            className == L"Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, (style & WS_TABSTOP) != 0);
        // One line per control: line breaks inside a text are shown as \r and \n.
        std::wstring text = TextOf(child);
        for (std::size_t at; (at = text.find_first_of(L"\r\n")) != std::wstring::npos;)
            text.replace(at, 1, text[at] == L'\r' ? L"\\r" : L"\\n");
        out += line + (L" text=" + text) + L"\n";
    }
    // UTF-8 out, whatever the console's code page.
    std::string utf8(out.size() * 3, '\0');
    utf8.resize(::WideCharToMultiByte(CP_UTF8, 0, out.data(), static_cast<int>(out.size()), utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, nullptr));
    std::fputs(utf8.c_str(), stdout);
    return 0;
}
