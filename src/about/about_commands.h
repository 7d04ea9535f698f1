#pragma once

#include "shell/desktop.h"

#include <string_view>

namespace velmora
{

/// What the About command and the load step need of the About dialog.
class AboutHost
{
public:
    virtual ~AboutHost() = default;
    [[nodiscard]] virtual bool IsAboutOpen() const = 0;
    /// Creates the dialog from its definition and runs its load step.
    virtual void CreateAbout() = 0;
    /// Shows and activates the dialog, without owner and not modal.
    virtual void ShowAbout() = 0;
};

/// What the load step sets on the About dialog.
class AboutView
{
public:
    virtual ~AboutView() = default;
    virtual void SetVersionText(std::string_view text) = 0;
};

/// The About command: at most one About dialog, created when there is none, then shown.
void mnuAbout_Click(AboutHost& host, Desktop& desktop);

/// The dialog's load step: fills lblVersion from the application's version.
void frmAbout_Load(AboutView& view, Desktop& desktop);

} // namespace velmora
