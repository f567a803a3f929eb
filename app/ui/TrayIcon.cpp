#include "app/ui/TrayIcon.h"

#include <cwchar>

TrayIcon::TrayIcon()
{
    ZeroMemory(&m_data, sizeof(m_data));
    m_data.cbSize = sizeof(m_data);
}

void TrayIcon::Add(HWND window, HICON icon)
{
    m_data.hWnd = window;
    m_data.uID = kId;
    m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_data.uCallbackMessage = WM_TRAY_NOTIFY;
    m_data.hIcon = icon;
    wcsncpy(m_data.szTip, kTip, sizeof(m_data.szTip) / sizeof(m_data.szTip[0]) - 1);
    Shell_NotifyIconW(NIM_ADD, &m_data);
}

void TrayIcon::Remove()
{
    if (m_data.hIcon == nullptr)
        return;
    m_data.hIcon = nullptr;
    Shell_NotifyIconW(NIM_DELETE, &m_data);
}
