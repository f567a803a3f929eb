#include "app/update/ProgressPoster.h"

#include "app/update/UpdateMessages.h"

void ProgressPoster::Post(int value)
{
    if (value == m_lastPosted)
        return;
    m_lastPosted = value;
    if (m_window)
        PostMessageW(m_window, WM_TRAY_NOTIFY, 0, static_cast<LPARAM>(value));
}
