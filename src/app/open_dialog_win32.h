#pragma once

#include "app/file_selection.h"

#include <string>

namespace velmora::win32
{

/// CommonDialog1: the system's Open dialog, keeping its title, filter and last file name.
class CommonDialog : public OpenFileDialog
{
public:
    void SetDialogTitle(std::string_view title) override;
    void SetFilter(std::string_view filter) override;
    void ShowOpen(WindowRef owner) override;
    std::string FileName() override;

private:
    std::wstring m_title;
    std::wstring m_filter; // with its "\0" separators and the closing "\0\0"
    std::wstring m_fileName;
    bool m_lastShowCancelled = false;
};

} // namespace velmora::win32
