// ThermadexCore.exe: the program's core loop in a console, for the demo and
// end-to-end tests until the main window exists.
//
//   ThermadexCore [--seconds N] [--quiet]
#include "CoreHarness.h"

#include "app/core/ProgramMain.h"

#include <cstdlib>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--seconds") == 0 && i + 1 < argc)
            CoreHarness::options.seconds = _wtoi(argv[++i]);
        else if (std::wcscmp(argv[i], L"--quiet") == 0)
            CoreHarness::options.quiet = true;
    }
    return RunProgram<CoreHarness>(GetModuleHandleW(nullptr));
}
