#pragma once

#include <windows.h>

// The tray icon's context menu: the version line, the number of open displays
// and Exit. Choosing an entry reaches the main window as WM_COMMAND.
constexpr UINT kMenuExit = 100;
constexpr UINT kMenuDeviceCount = 202;
constexpr UINT kMenuVersion = 203;
constexpr wchar_t kMenuVersionText[] = L"Version: 1.0.0.3";

// A new popup menu with the three entries; the caller destroys it.
HMENU BuildTrayMenu(int displayCount);

// Opens the menu with its top-left corner at the cursor, owned by `window`,
// and destroys it when the user has chosen or dismissed it.
void ShowTrayMenu(HWND window, int displayCount);
