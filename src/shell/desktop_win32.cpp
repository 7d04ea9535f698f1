#include "shell/desktop_win32.h"

#include "transaction/time_bounds.h"
#include "win32/lazy_library.h"
#include "win32/paths.h"
#include "ui/modal_scope.h"
#include "win32/wide.h"
#include "common/runtime_failure.h"

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

// The full path of the running program, however long; empty when the system gives none.
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

// Whether the process runs the system's own program of that file name: in the Windows folder, or its
// 32-bit twin. A program of that name anywhere else may be a launcher that ends before its reader.
bool RunsSystemProgram(HANDLE process, std::wstring_view fileName)
{
    std::wstring image(kMaxPathCapacity, L'\0');
    DWORD length = static_cast<DWORD>(image.size());
    if (!::QueryFullProcessImageNameW(process, 0, image.data(), &length))
        return false;
    image.resize(length);
    const std::optional<FileIdentity> running = IdentityOf(image);
    if (!running)
        return false;
    for (const auto folderOf : {::GetWindowsDirectoryW, ::GetSystemWow64DirectoryW})
    {
        std::wstring folder(kMaxPathCapacity, L'\0');
        const UINT folderLength = folderOf(folder.data(), static_cast<UINT>(folder.size()));
        if (folderLength == 0 || folderLength >= folder.size())
            continue; // a 32-bit system has no twin
        folder.resize(folderLength);
        if (IdentityOf(folder + L"\\" + std::wstring(fileName)) == running)
            return true;
    }
    return false;
}

} // namespace

void Win32Desktop::ShowMessage(std::string_view prompt, MessageStyle style, std::optional<std::string_view> title)
{
    // The box belongs to the window whose command shows it.
    const HWND owner = ::GetActiveWindow();
    ui::ThreadModalScope modal(owner);
    const std::wstring caption = Widen(title.value_or(Identity().title));
    // 0, a box that could not be shown, is passed over: the callers have no other way to tell the
    // user, and go on as after a dismissed box.
    ::MessageBoxW(owner, Widen(prompt).c_str(), caption.c_str(), MessageBoxStyle(style));
}

std::int32_t Win32Desktop::Execute(WindowRef owner, std::string_view verb, std::string_view file,
                                   std::string_view parameters, std::string_view directory, int showMode,
                                   UniqueHandle* process)
{
    // The shell may hand the request to COM components, which need an apartment on the calling
    // thread (the program's one user-interface thread); it is entered at the first request. The
    // result is not needed: S_FALSE and RPC_E_CHANGED_MODE mean the thread has an apartment already,
    // and without one the request fails with a code of its own, which the caller reports.
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

HeldOpen Win32Desktop::ShellOpenHeld(WindowRef owner, std::string_view shellPath, std::string_view heldPath,
                                     std::string_view trustedReader)
{
    // Holds that have ended are purged only here, at the next request: until then each is a few idle
    // bytes, and the thread pool's callback cannot delete its own hold (the destructor waits for it).
    std::erase_if(m_holds, [](const std::unique_ptr<ReaderHold>& hold) { return hold->Released(); });
    // Held from before the request, so that the program started for it finds the file as written;
    // through its own long path, so that only this folder's file is held.
    UniqueFile heldFile(::CreateFileW(ExtendedLengthPath(Widen(heldPath)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    UniqueHandle process;
    const std::int32_t result = Execute(owner, "open", shellPath, "", "", kShowNormal, &process);
    if (!heldFile || result <= 32)
        return {result, false}; // a file that cannot be held, or that nothing will read
    // Only the reader's own end says that it is done; a launcher ends before the program it hands
    // the file to has read it. A copy of the handle in the reader's process holds the file until
    // the reader ends, even when this program ends first.
    if (process && !RunsSystemProgram(process.get(), Widen(trustedReader)))
        process.reset();
    HANDLE readerCopy = nullptr;
    if (process && ::DuplicateHandle(::GetCurrentProcess(), heldFile.get(), process.get(), &readerCopy, 0, FALSE,
                                     DUPLICATE_SAME_ACCESS))
        return {result, true};
    m_holds.push_back(
        std::make_unique<ReaderHold>(std::move(heldFile), std::move(process), transaction::kReaderHoldMs));
    return {result, true};
}

void Win32Desktop::WaitForHolds() noexcept
{
    for (const std::unique_ptr<ReaderHold>& hold : m_holds)
        ::WaitForSingleObject(hold->ReleasedEvent(), INFINITE); // each ends within its own bound
    m_holds.clear();
}

std::string Win32Desktop::ShortPath(std::string_view path)
{
    const std::wstring full = ExtendedLengthPath(Widen(path));
    std::wstring shortPath(kMaxPathCapacity, L'\0');
    const DWORD length = ::GetShortPathNameW(full.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size())
        return {};
    shortPath.resize(length);
    // Wine makes short names from a hash, so that two folders may share one, which then opens the
    // other (GetLongPathNameW still names this one): only the same identity will do.
    const std::optional<FileIdentity> identity = IdentityOf(full);
    if (!identity || IdentityOf(shortPath) != identity)
        return {};
    return Narrow(PlainPath(shortPath));
}

std::string Win32Desktop::ApplicationFolder()
{
    std::wstring folder = ModulePath();
    const std::size_t lastBackslash = folder.find_last_of(L'\\');
    // Never an empty folder: the Save command would write \Velmora.reg at the root of the current drive.
    if (lastBackslash == std::wstring::npos)
        throw RuntimeFailure(kErrPathNotFound);
    folder.resize(lastBackslash);
    // A drive root is reported as "C:\", with its backslash.
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return Narrow(folder);
}

} // namespace velmora::win32
