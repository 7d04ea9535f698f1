// Prints what the end-to-end tests read of a running program's windows, in UTF-8.
//   window_probe TITLE [CLASS]          the first visible top-level window of that title (and window
//                                       class): its client size, then each child: id, class, rectangle
//                                       in client pixels, focus, default-button and tab-stop marks, text
//   window_probe --count TITLE [CLASS]  how many visible top-level windows match
//   window_probe --hold FILE STOP        holds the file open as a reader does, prints "held", and lets
//                                       go once the file STOP exists (at most 30 s)
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
    ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          2000, &length);
    text.resize(length);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    return ::GetClassNameW(window, name, static_cast<int>(std::size(name))) ? name : L"";
}

struct Search
{
    std::wstring title, className;
    std::vector<HWND> found;
};

BOOL CALLBACK Match(HWND window, LPARAM param)
{
    auto& s = *reinterpret_cast<Search*>(param);
    if (::IsWindowVisible(window) && TextOf(window) == s.title &&
        (s.className.empty() || ClassOf(window) == s.className))
        s.found.push_back(window);
    return TRUE;
}

} // namespace

// Reads as a registry editor does: others may read, none may write, rename or delete.
int Hold(const wchar_t* file, const wchar_t* stop)
{
    const HANDLE held = ::CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    for (int attempt = 0; attempt < 3000 && ::GetFileAttributesW(stop) == INVALID_FILE_ATTRIBUTES; ++attempt)
        ::Sleep(10);
    ::CloseHandle(held);
    return 0;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--hold")
        return Hold(argv[2], argv[3]);
    const bool count = argc > 1 && std::wstring(argv[1]) == L"--count";
    const int first = count ? 2 : 1;
    if (argc <= first)
        return 2;
    Search search{argv[first], first + 1 < argc ? argv[first + 1] : L"", {}};
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (count)
        std::printf("%zu\n", search.found.size());
    if (count || search.found.empty())
        return 0;
    const HWND window = search.found.front();
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
