#pragma once

#include <windows.h>

// Posts download progress to the main window as WM_TRAY_NOTIFY (wParam 0,
// the value in lParam), each value only when it differs from the last one
// posted. The last value lives with the window, so that the next download
// knows where the previous one stopped.
class ProgressPoster {
public:
    ProgressPoster(HWND window, int& lastPosted)
        : m_window(window)
        , m_lastPosted(lastPosted)
    {
    }

    void Post(int value);

private:
    HWND m_window;
    int& m_lastPosted;
};
