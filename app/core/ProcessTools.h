#pragma once

#include <string>

// Applies the DPI rule to the primary screen's size: a small screen makes
// the process DPI-aware. Returns whether it did.
bool ApplyDpiRule();

// Enables "SeDebugPrivilege" in the process token; true when the adjustment
// reported no error.
bool EnableDebugPrivilege();

// Terminates the first running process whose executable name matches `name`
// without regard to letter case; one process per call. False only when the
// process list cannot be taken.
bool KillProcessByName(const std::wstring& name);
