#pragma once

#include "app/file_selection.h"
#include "app/open_dialog_win32.h"
#include "about/about_commands.h"
#include "regchange/save_command.h"
#include "regchange/settings_store_win32.h"
#include "registry/registry_reader_win32.h"
#include "ui/busy_scope.h"
#include "ui/window_base.h"
#include "ui/window_text.h"
#include "ui/window_host.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

namespace velmora::win32
{

/// The main window "Velmora": the five fields, three buttons, six labels and the menu bar; a file
/// dropped on it fills the value field.
class MainWindow final : public ui::WindowThunk<MainWindow>, public SaveView, public FileSelectionView
{
public:
    MainWindow(ui::WindowHost& host, AboutHost& about, Desktop& desktop);
    // Out of line: inline, GCC's link-time optimisation for Windows puts the destructor's thunks for
    // both view bases into one section of every file that destroys the window, and the link fails.
    ~MainWindow() override;

    void Create(int showCommand);

    std::string FieldText(Field field) override;
    void SetStatusText(std::string_view text) override;
    void SetValueText(std::string_view text) override;
    WindowRef Owner() override { return {m_window}; }
    void BeginWait(std::string_view statusText) override;
    void EndWait() noexcept override;

private:
    [[nodiscard]] ui::WindowFrame Frame(UINT dpi) const override;
    [[nodiscard]] ui::WindowFonts CreateFonts(UINT dpi) const override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int notification, HWND control);
    void OnDropFiles(HDROP drop);

    AboutHost& m_about;
    Desktop& m_desktop;
    CommonDialog m_commonDialog1;
    Win32SettingsStore m_settings;
    Win32RegistryReader m_registry;
    std::optional<ui::BusyScope> m_busy;
    std::wstring m_statusBeforeWait;
};

} // namespace velmora::win32
