#include "shell/desktop_win32.h"

#include "win32/lazy_library.h"
#include "win32/paths.h"
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

std::int32_t Win32Desktop::Execute(WindowRef owner, std::string_view verb, std::string_view file,
                                   std::string_view parameters, std::string_view directory, int showMode,
                                   UniqueHandle* process)
{
    // The shell may hand the request to COM components, which need an apartment on the calling
    // thread (the program's one user-interface thread); it is entered at the first request.
    static const HRESULT apartment = LoadSystemFunction<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx")(
        nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)apartment;
    static const auto shellExecute =
        LoadSystemFunction<decltype(&::ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    const std::wstring wideVerb = Widen(verb);
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = Widen(parameters);
    const std::wstring wideDirectory = Widen(directory);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    // The program reports a failure itself, with its own texts; the started process is kept when asked for.
    request.fMask = SEE_MASK_FLAG_NO_UI | (process ? SEE_MASK_NOCLOSEPROCESS : 0);
    request.hwnd = static_cast<HWND>(owner.handle);
    request.lpVerb = wideVerb.c_str();
    request.lpFile = wideFile.c_str();
    request.lpParameters = wideParameters.c_str();
    request.lpDirectory = wideDirectory.c_str();
    request.nShow = showMode;
    if (!shellExecute(&request) && reinterpret_cast<INT_PTR>(request.hInstApp) > 32)
        request.hInstApp = nullptr; // failed without a code of its own: "out of memory or resources"
    if (process)
        process->reset(request.hProcess);
    // The result is an HINSTANCE only by history: its value is the code.
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(request.hInstApp));
}

std::int32_t Win32Desktop::ShellOpen(WindowRef owner, std::string_view verb, std::string_view file,
                                     std::string_view parameters, std::string_view directory, int showMode)
{
    return Execute(owner, verb, file, parameters, directory, showMode, nullptr);
}

std::int32_t Win32Desktop::ShellOpenHeld(WindowRef owner, std::string_view file)
{
    // A registry editor asks for confirmation on Windows before it reads the file; a minute covers
    // a user who reads the question, and bounds how long a stuck editor blocks the next save.
    constexpr DWORD kMaxHoldMs = 60000;
    std::erase_if(m_holds, [](const std::unique_ptr<ReaderHold>& hold) { return hold->Released(); });
    // Held from before the request, so that the program started for it finds the file as written.
    UniqueFile heldFile(::CreateFileW(ExtendedLengthPath(Widen(file)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    UniqueHandle process;
    const std::int32_t result = Execute(owner, "open", file, "", "", kShowNormal, &process);
    if (heldFile && process)
        m_holds.push_back(std::make_unique<ReaderHold>(std::move(heldFile), std::move(process), kMaxHoldMs));
    return result;
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

std::string Win32Desktop::ShortPath(std::string_view path)
{
    const std::wstring full = ExtendedLengthPath(Widen(path));
    std::wstring shortPath(kMaxPathCapacity, L'\0');
    const DWORD length = ::GetShortPathNameW(full.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size())
        return {};
    shortPath.resize(length);
    return Narrow(PlainPath(shortPath));
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
