#pragma once

#include <windows.h>

// Mouse messages as the event methods of a skinned window (a dialog, the
// bubble): both kinds of window name and shape these methods alike.
namespace Lumo {

inline POINT PointOfMessage(LPARAM lparam)
{
    return POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

// Calls the window's event method for a mouse, hover or leave message; false
// for any other message. The method's result is not used.
template<typename Window> bool DispatchMouseEvent(Window& window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    const UINT keys = static_cast<UINT>(wparam);
    switch (msg) {
    case WM_MOUSEMOVE:
        window.OnMouseMove(keys, PointOfMessage(lparam));
        return true;
    case WM_LBUTTONDOWN:
        window.OnLButtonDown(keys, PointOfMessage(lparam));
        return true;
    case WM_LBUTTONUP:
        window.OnLButtonUp(keys, PointOfMessage(lparam));
        return true;
    case WM_LBUTTONDBLCLK:
        window.OnLButtonDblClk(keys, PointOfMessage(lparam));
        return true;
    case WM_RBUTTONDOWN:
        window.OnRButtonDown(keys, PointOfMessage(lparam));
        return true;
    case WM_RBUTTONUP:
        window.OnRButtonUp(keys, PointOfMessage(lparam));
        return true;
    case WM_RBUTTONDBLCLK:
        window.OnRButtonDblClk(keys, PointOfMessage(lparam));
        return true;
    case WM_MOUSEHOVER:
        window.OnMouseHover(wparam, lparam);
        return true;
    case WM_MOUSELEAVE:
        window.OnMouseLeave(wparam, lparam);
        return true;
    default:
        return false;
    }
}

} // namespace Lumo
