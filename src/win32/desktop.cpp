#include "win32/desktop.h"

#include "win32/lazy_library.h"
#include "win32/modal_scope.h"
#include "win32/wide.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace velmora::win32
{

namespace
{

UINT MessageBoxStyle(MessageStyle style)
{
    switch (style)
    {
    case MessageStyle::Error:
        return MB_OK | MB_ICONERROR;
    case MessageStyle::Warning:
        return MB_OK | MB_ICONWARNING;
    case MessageStyle::Plain:
        break;
    }
    return MB_OK;
}

} // namespace

void Win32Desktop::ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title)
{
    // The box belongs to the window whose command shows it.
    const HWND owner = ::GetActiveWindow();
    ThreadModalScope modal(owner);
    const std::wstring caption = Widen(title.value_or(Identity().title));
    ::MessageBoxW(owner, Widen(prompt).c_str(), caption.c_str(), MessageBoxStyle(style));
}

std::int32_t Win32Desktop::ShellOpen(WindowRef owner, std::string_view verb, std::string_view file,
                                     std::string_view parameters, std::string_view directory, int showMode)
{
    // The shell may hand the request to COM components, which need an apartment on the calling
    // thread (the program's one user-interface thread); it is entered at the first request.
    static const HRESULT apartment = LoadSystemFunction<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx")(
        nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)apartment;
    static const auto shellExecute = LoadSystemFunction<decltype(&::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    const HINSTANCE result = shellExecute(static_cast<HWND>(owner.handle), Widen(verb).c_str(), Widen(file).c_str(),
                                          Widen(parameters).c_str(), Widen(directory).c_str(), showMode);
    // The result is an HINSTANCE only by history: its value is the code.
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
        {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string Win32Desktop::ApplicationFolder()
{
    std::wstring folder = ModulePath();
    folder.resize(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
    // A drive root is reported as "C:\", with its backslash.
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return Narrow(folder);
}

} // namespace velmora::win32
