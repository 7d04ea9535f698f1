#pragma once

#include "shell/desktop.h"

#include <string>
#include <string_view>

namespace velmora
{

/// The Open-file dialog component of the main window; it lives as long as the window and keeps
/// what was set on it, the last file name included.
class OpenFileDialog
{
public:
    virtual ~OpenFileDialog() = default;
    virtual void SetDialogTitle(std::string_view title) = 0;
    /// Pairs of description and pattern, all separated by "|".
    virtual void SetFilter(std::string_view filter) = 0;
    virtual void ShowOpen(WindowRef owner) = 0;
    virtual std::string FileName() = 0;
};

class FileSelectionView
{
public:
    virtual ~FileSelectionView() = default;
    virtual void SetValueText(std::string_view text) = 0;
    virtual WindowRef Owner() = 0;
};

inline constexpr std::string_view kOpenDialogTitle = " Open ";
inline constexpr std::string_view kOpenDialogFilter = "All Files (*.*)|*.*";

/// Puts the full name of the file the user picks into the value field; nothing when none is
/// picked. Never reports a failure.
void cmdSelectFile_Click(FileSelectionView& view, OpenFileDialog& dialog, Desktop& desktop);

} // namespace velmora
