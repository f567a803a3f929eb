#include "app/core/ModuleDir.h"

#include <windows.h>
#include <shlwapi.h>

std::wstring GetModuleDir()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(nullptr), path, MAX_PATH);
    PathRemoveFileSpecW(path);
    PathAddBackslashW(path);
    return path;
}
