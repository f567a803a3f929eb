#pragma once

#include <windows.h>

// The instance name: it names the per-logon mutex and the main window's
// property by which a second instance finds the first.
constexpr wchar_t kInstanceName[] = L"Orvane";

// Creates and owns the instance mutex for the rest of the process. False when
// another instance already holds it (the second instance then finds the
// first one's window and should end at once, starting nothing). A mutex that
// cannot be created at all counts as the first instance.
bool ClaimSingleInstance(const wchar_t* name = kInstanceName);

// The first top-level window that carries the property `name`, or null.
HWND FindInstanceWindow(const wchar_t* name = kInstanceName);
