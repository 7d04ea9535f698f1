// Prints what an end-to-end test needs to see of a running program's windows.
//   window_probe TITLE [CLASS]          the first visible top-level window of that title (and window
//                                       class), then each child: id, class, rectangle in client
//                                       pixels, focus and default-button marks, text
//   window_probe --count TITLE [CLASS]  how many visible top-level windows match
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          2000, &copied);
    text.resize(copied);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    return ::GetClassNameW(window, name, static_cast<int>(std::size(name))) ? name : L"";
}

std::vector<HWND> TopLevelWindows(const std::wstring& title, const std::wstring& className)
{
    struct Search
    {
        const std::wstring* title;
        const std::wstring* className;
        std::vector<HWND> found;
    } search{&title, &className, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            if (::IsWindowVisible(window) && TextOf(window) == *s.title &&
                (s.className->empty() || ClassOf(window) == *s.className))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// One line per control: line breaks inside a text are shown as \r and \n.
std::wstring Escaped(std::wstring text)
{
    for (std::size_t at; (at = text.find_first_of(L"\r\n")) != std::wstring::npos;)
        text.replace(at, 1, text[at] == L'\r' ? L"\\r" : L"\\n");
    return text;
}

void Print(const std::wstring& line)
{
    // UTF-8 out, whatever the console's code page.
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), length, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool count = argc > 1 && std::wstring(argv[1]) == L"--count";
    const int first = count ? 2 : 1;
    if (argc - first < 1 || argc - first > 2)
    {
        std::fprintf(stderr, "usage: window_probe [--count] TITLE [CLASS]\n");
        return 2;
    }
    const auto windows = TopLevelWindows(argv[first], argc - first == 2 ? argv[first + 1] : L"");
    if (count)
    {
        std::printf("%zu\n", windows.size());
        return 0;
    }
    if (windows.empty())
    {
        std::fprintf(stderr, "window_probe: no visible window titled as asked\n");
        return 1;
    }
    const HWND window = windows.front();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui);

    RECT client;
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    Print(L"window class=" + ClassOf(window) + L" origin=" + std::to_wstring(origin.x) + L"," +
          std::to_wstring(origin.y) + L" client=" + std::to_wstring(client.right) + L"x" +
          std::to_wstring(client.bottom));

    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
        const std::wstring className = ClassOf(child);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        const bool isButton = className == L"Button";
        Print(L"child id=" + std::to_wstring(::GetDlgCtrlID(child)) + L" class=" + className + L" rect=" +
              std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," + std::to_wstring(rect.right) +
              L"," + std::to_wstring(rect.bottom) + L" focus=" + std::to_wstring(gui.hwndFocus == child) +
              L" default=" + std::to_wstring(isButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) + L" tabstop=" +
              std::to_wstring((style & WS_TABSTOP) != 0) + L" text=" + Escaped(TextOf(child)));
    }
    return 0;
}
