#pragma once

#include <windows.h>
#include <shellapi.h>

#include "app/update/UpdateMessages.h"

// The program's notification-area icon. A non-null icon in the data means the
// icon is shown: removal tests it, clears it and only then deletes the icon
// from the shell, so an icon that failed to load is never deleted (the shell
// drops it when the process ends).
class TrayIcon {
public:
    static constexpr UINT kId = 109;
    static constexpr wchar_t kTip[] = L"Orvane";

    TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Fills the data for `window` and adds the icon; the shell's answer is not used.
    void Add(HWND window, HICON icon);
    // Deletes the icon from the shell if it is shown.
    void Remove();
    bool IsShown() const { return m_data.hIcon != nullptr; }
    const NOTIFYICONDATAW& Data() const { return m_data; }

private:
    NOTIFYICONDATAW m_data;
};
