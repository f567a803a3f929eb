#include "app/core/ProcessLifecycle.h"

#include "app/core/ProcessTools.h"
#include "lumo/Manager.h"

ProcessPreparation PrepareProcess(HINSTANCE instance)
{
    ProcessPreparation preparation;
    preparation.dpiAware = ApplyDpiRule();
    EnableDebugPrivilege();
    KillProcessByName(kCompanionExecutable);
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&preparation.gdiplusToken, &input, nullptr);
    Lumo::Manager::SetInstance(instance);
    CoInitialize(nullptr);
    OleInitialize(nullptr);
    return preparation;
}

void ShutDownProcess(const ProcessPreparation& preparation)
{
    KillProcessByName(kCompanionExecutable);
    CoUninitialize();
    OleUninitialize();
    if (preparation.gdiplusToken)
        Gdiplus::GdiplusShutdown(preparation.gdiplusToken);
}
