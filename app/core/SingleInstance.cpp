#include "app/core/SingleInstance.h"

bool ClaimSingleInstance(const wchar_t* name)
{
    // Owned from creation and never released or closed: it lives as long as
    // the process does.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        // The first instance is left undisturbed; its window is only looked up.
        FindInstanceWindow(name);
        return false;
    }
    return true;
}

HWND FindInstanceWindow(const wchar_t* name)
{
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window && IsWindow(window);
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetPropW(window, name))
            return window;
    }
    return nullptr;
}
