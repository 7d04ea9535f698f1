#pragma once

#include "app/file_selection.h"
#include "app/open_dialog_win32.h"
#include "app/resource.h"
#include "regchange/save_command.h"
#include "regchange/settings_store_win32.h"
#include "win32/control_factory.h"
#include "win32/dialog_behaviour.h"
#include "win32/dpi.h"
#include "win32/registry_reader.h"
#include "win32/unique_handle.h"
#include "win32/window_base.h"

#include <windows.h>

namespace velmora::win32
{

class Application;

/// The main window "Velmora": the five fields, three buttons, six labels and the menu bar.
class MainWindow final : public WindowBase<MainWindow>, public SaveView, public FileSelectionView
{
public:
    explicit MainWindow(Application& application);

    void Create(int showCommand);

    std::string FieldText(Field field) override;
    void SetStatusText(std::string_view text) override;
    void SetValueText(std::string_view text) override;
    WindowRef Owner() override { return {m_window}; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void ApplyDpi(UINT dpi);
    void OnCommand(int id, int notification, HWND control);

    Application& m_application;
    CommonDialog m_commonDialog1;
    Win32SettingsStore m_settings;
    Win32RegistryReader m_registry;
    UniqueHfont m_font;
    WindowIcons m_icons;
    ControlFactory m_controls;
    DialogBehaviour m_dialog{m_controls.DefaultButtonId()};
};

} // namespace velmora::win32
