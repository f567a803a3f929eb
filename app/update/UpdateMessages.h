#pragma once

// Private messages of the main window that the update work posts. Macros in
// the Windows style, so that other headers may define the same values too.
#ifndef WM_TRAY_NOTIFY
#define WM_TRAY_NOTIFY 1690 // also the tray icon's callback; wParam 0 and the progress in lParam
#endif
#ifndef WM_UPDATE_RESULT
#define WM_UPDATE_RESULT 1692 // wParam: 1 software, 2 firmware; lParam: 1 newer, 0 current
#endif
