// The tray program's entry point. The command line and the show command are
// not used: the program always starts hidden in the notification area.
#include "app/core/ProgramMain.h"
#include "app/ui/DeviceMainDlg.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return RunProgram<DeviceMainDlg>(instance); }
