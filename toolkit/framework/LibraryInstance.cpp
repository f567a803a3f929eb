#include "framework/LibraryInstance.h"

namespace {
HINSTANCE g_libraryInstance = nullptr;
}

namespace Lumo {
HINSTANCE LibraryInstance() { return g_libraryInstance; }
} // namespace Lumo

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_libraryInstance = instance;
    return TRUE;
}
