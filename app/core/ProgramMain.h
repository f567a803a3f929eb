#pragma once

#include "app/core/ProcessLifecycle.h"
#include "app/core/SingleInstance.h"

// The program's whole life, for wWinMain: `MainDialog` is the main window
// class. It needs
//   int RunModal();      create the window and run its modal loop;
//   void StopWorker();   stop the worker (returning only once it has left
//                        its last cycle), remove the tray icon, destroy the window.
// Returns 0 when another instance runs (nothing else happens then) and 1
// after a normal run.
template<typename MainDialog> int RunProgram(HINSTANCE instance)
{
    if (!ClaimSingleInstance())
        return 0;
    const ProcessPreparation preparation = PrepareProcess(instance);
    // The dialog lives in this frame and is destroyed last, after the shutdown
    // steps; its worker is stopped first so that no cycle runs on it then.
    MainDialog dialog;
    dialog.RunModal();
    dialog.StopWorker();
    ShutDownProcess(preparation);
    return 1;
}
