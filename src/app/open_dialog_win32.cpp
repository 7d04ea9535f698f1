#include "app/open_dialog_win32.h"

#include "common/runtime_failure.h"
#include "win32/lazy_library.h"
#include "ui/modal_scope.h"
#include "win32/paths.h"
#include "win32/wide.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace velmora::win32
{

void CommonDialog::SetDialogTitle(std::string_view title)
{
    m_title = Widen(title);
}

void CommonDialog::SetFilter(std::string_view filter)
{
    m_filter = Widen(filter);
    for (wchar_t& c : m_filter)
    {
        if (c == L'|')
            c = L'\0';
    }
    m_filter.append(2, L'\0');
}

void CommonDialog::ShowOpen(WindowRef owner)
{
    // The last name chosen is the dialog's starting name.
    std::vector<wchar_t> buffer(kMaxPathCapacity, L'\0');
    m_fileName.copy(buffer.data(), std::min(m_fileName.size(), buffer.size() - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = static_cast<HWND>(owner.handle);
    dialog.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

    static const auto getOpenFileName =
        LoadSystemFunction<decltype(&::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    static const auto extendedError =
        LoadSystemFunction<decltype(&::CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
    BOOL chosen = FALSE;
    {
        ui::ThreadModalScope modal(dialog.hwndOwner);
        chosen = getOpenFileName(&dialog);
    }
    m_lastShowCancelled = false;
    if (chosen)
    {
        m_fileName = buffer.data();
        return;
    }
    const DWORD error = extendedError();
    if (error != 0)
        throw RuntimeFailure(kErrInternal, "The Open dialog failed with code " + std::to_string(error));
    // Cancel: the dialog reports no name this time but keeps the last one as its starting name.
    m_lastShowCancelled = true;
}

std::string CommonDialog::FileName()
{
    return m_lastShowCancelled ? std::string() : Narrow(m_fileName);
}

} // namespace velmora::win32
