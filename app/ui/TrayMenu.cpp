#include "app/ui/TrayMenu.h"

#include <cwchar>

HMENU BuildTrayMenu(int displayCount)
{
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr)
        return nullptr;
    wchar_t devices[64];
    swprintf(devices, sizeof(devices) / sizeof(devices[0]), L"%d Device", displayCount);
    AppendMenuW(menu, MF_STRING, kMenuVersion, kMenuVersionText);
    AppendMenuW(menu, MF_STRING, kMenuDeviceCount, devices);
    AppendMenuW(menu, MF_STRING, kMenuExit, L"Exit");
    return menu;
}

void ShowTrayMenu(HWND window, int displayCount)
{
    HMENU menu = BuildTrayMenu(displayCount);
    if (menu == nullptr)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    DestroyMenu(menu);
}
