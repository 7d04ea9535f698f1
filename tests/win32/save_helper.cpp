// A second program beside the Win32 tests:
//   save FOLDER SECTION KEY VALUE  one Save in that program folder, as another instance would make
//                                  it; the exit code is the number of messages it showed
//   launch DELAY FILE              an association that hands the file on: has the registry editor
//                                  started DELAY ms later, by a process of its own, and ends at once
#include "regchange/reg_file_win32.h"
#include "regchange/save_command.h"
#include "regchange/settings_store_win32.h"
#include "registry/registry_reader_win32.h"
#include "shell/desktop_win32.h"
#include "win32/wide.h"

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>

using namespace velmora;

namespace
{

struct Instance : win32::Win32Desktop, SaveView
{
    std::string folder;
    std::map<Field, std::string> fields;
    int messages = 0;

    void ShowMessage(std::string_view prompt, MessageStyle, std::optional<std::string_view>) override
    {
        std::printf("%.*s\n", static_cast<int>(prompt.size()), prompt.data());
        ++messages;
    }
    std::string ApplicationFolder() override { return folder; }
    std::string FieldText(Field field) override { return fields.at(field); }
    void SetStatusText(std::string_view) override {}
    WindowRef Owner() override { return {}; }
};

int Start(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return 1;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"launch" && argc == 4)
    {
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        return Start(L"\"" + std::wstring(self) + L"\" late " + argv[2] + L" \"" + argv[3] + L"\"");
    }
    if (mode == L"late" && argc == 4)
    {
        ::Sleep(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
        return Start(L"regedit.exe \"" + std::wstring(argv[3]) + L"\"");
    }
    if (mode != L"save" || argc != 6)
        return 100;
    Instance instance;
    instance.folder = win32::Narrow(argv[2]);
    instance.fields = {{Field::Location, R"(HKCU\Software\VelmoraUndoTest)"},
                       {Field::Application, "App"},
                       {Field::Section, win32::Narrow(argv[3])},
                       {Field::Key, win32::Narrow(argv[4])},
                       {Field::Value, win32::Narrow(argv[5])}};
    win32::Win32SettingsStore settings{LR"(Software\VelmoraTest\Settings)"};
    win32::Win32RegFileOutput file;
    win32::Win32RegistryReader registry;
    cmdSaveToRegistry_Click(instance, {instance, settings, file, registry});
    return instance.messages;
}
