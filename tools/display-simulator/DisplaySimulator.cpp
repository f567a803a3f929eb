// Control and monitor program of the display simulator. It sets up the
// simulated displays in a session, plugs them in and out (telling the
// program's main window, as the system would), switches faults, and prints
// live what every simulated display shows.
#include "SimulatorState.h"

#include <windows.h>
#include <dbt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

using namespace DisplaySim;

namespace {

constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
constexpr GUID kUsbDeviceClass = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

volatile LONG g_stop = 0;

BOOL WINAPI OnConsoleControl(DWORD)
{
    InterlockedExchange(&g_stop, 1);
    return TRUE;
}

void PrintUsage()
{
    std::puts("DisplaySimulator - simulated USB temperature displays for Thermadex\n"
              "\n"
              "  DisplaySimulator run [--displays N] [--version 0xVVVV] [--extra-collections N] [--seconds S]\n"
              "      set up N displays (default 1) and print live what each one shows\n"
              "  DisplaySimulator add [--version 0xVVVV] [--extra-collections N] [--no-display-collection]\n"
              "  DisplaySimulator unplug N | plug N      and tell the program's window\n"
              "  DisplaySimulator fail-sends N on|off    the display rejects temperature reports\n"
              "  DisplaySimulator version N 0xVVVV       the firmware version the display reports\n"
              "  DisplaySimulator status                 what every display shows now\n"
              "  DisplaySimulator reports [COUNT]        the last feature reports (default 10)\n"
              "\n"
              "The session is named by THERMADEX_DISPLAY_SIM (default ThermadexDisplaySimulator) and lives\n"
              "while a process holds it: the program's hidapi.dll or a running 'DisplaySimulator run'.");
}

struct Arguments {
    std::vector<std::string> words;
    int displays = 1;
    int version = 0x0100;
    int extraCollections = 0;
    bool displayCollection = true;
    int seconds = 0;
};

Arguments Parse(int argc, char** argv)
{
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == "--displays" && hasValue)
            args.displays = std::atoi(argv[++i]);
        else if (word == "--version" && hasValue)
            args.version = static_cast<int>(std::strtol(argv[++i], nullptr, 0));
        else if (word == "--extra-collections" && hasValue)
            args.extraCollections = std::atoi(argv[++i]);
        else if (word == "--seconds" && hasValue)
            args.seconds = std::atoi(argv[++i]);
        else if (word == "--no-display-collection")
            args.displayCollection = false;
        else
            args.words.push_back(word);
    }
    return args;
}

DisplayOptions OptionsFrom(const Arguments& args)
{
    DisplayOptions options;
    options.firmwareVersion = static_cast<std::uint16_t>(args.version);
    options.extraCollections = args.extraCollections;
    options.displayCollection = args.displayCollection;
    return options;
}

// The program's main window: the top-level window with the property "Orvane".
HWND FindProgramWindow()
{
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window && IsWindow(window);
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetPropW(window, L"Orvane"))
            return window;
    }
    return nullptr;
}

void Broadcast(HWND window, WPARAM event, const GUID& interfaceClass, const std::string& path)
{
    const std::wstring wide(path.begin(), path.end());
    std::vector<unsigned char> buffer(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + (wide.size() + 1) * sizeof(wchar_t));
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    broadcast->dbcc_size = static_cast<DWORD>(
        offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (wide.size() + 1) * sizeof(wchar_t));
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast->dbcc_classguid = interfaceClass;
    std::wmemcpy(broadcast->dbcc_name, wide.c_str(), wide.size() + 1);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(
        window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(broadcast), SMTO_ABORTIFHUNG, 2000, &result);
}

// What the system would tell the program: the USB device interface and each
// HID interface of the display arrive or leave.
void NotifyProgram(SimulatorState& state, int display, bool arrived)
{
    HWND window = FindProgramWindow();
    if (!window) {
        std::printf("no program window to tell\n");
        return;
    }
    const WPARAM event = arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    char usbPath[128];
    std::snprintf(usbPath, sizeof(usbPath),
        "\\\\?\\usb#vid_1a2c&pid_4e84#SIM%04d#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", display);
    Broadcast(window, event, kUsbDeviceClass, usbPath);
    for (const std::string& path : state.InterfacePaths(display))
        Broadcast(window, event, kHidInterfaceClass, path);
}

std::string StatusLine(const SimulatorState& state)
{
    std::string line;
    for (const InterfaceSlot& slot : state.Interfaces()) {
        if (slot.usagePage != 0xFF01 || slot.usage != 1)
            continue;
        char part[96];
        std::snprintf(part, sizeof(part), "%sdisplay %u: %s%s", line.empty() ? "" : "   ", slot.displayNumber,
            slot.present ? ShownText(slot).c_str() : "(unplugged)", slot.failSends ? " (rejects reports)" : "");
        line += part;
    }
    return line.empty() ? "no displays" : line;
}

int Run(SimulatorState& state, const Arguments& args)
{
    state.Reset();
    for (int i = 0; i < args.displays; ++i)
        state.AddDisplay(OptionsFrom(args));
    std::printf("[display-sim] session %ls: %d display(s), firmware 0x%04x\n", SimulatorState::SessionName().c_str(),
        args.displays, args.version);
    std::fflush(stdout);
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    const DWORD start = GetTickCount();
    std::string shown;
    while (!g_stop && (args.seconds <= 0 || GetTickCount() - start < static_cast<DWORD>(args.seconds) * 1000)) {
        const std::string line = StatusLine(state);
        if (line != shown) {
            SYSTEMTIME now;
            GetLocalTime(&now);
            std::printf("[display-sim %02d:%02d:%02d] %s\n", now.wHour, now.wMinute, now.wSecond, line.c_str());
            std::fflush(stdout);
            shown = line;
        }
        Sleep(100);
    }
    return 0;
}

int PrintReports(const SimulatorState& state, int count)
{
    const std::uint32_t logged = state.Logged();
    const std::uint32_t after = logged > static_cast<std::uint32_t>(count) ? logged - count : 0;
    const std::vector<InterfaceSlot> slots = state.Interfaces();
    for (const LogEntry& entry : state.LogSince(after)) {
        const unsigned display = entry.slot < slots.size() ? slots[entry.slot].displayNumber : 0;
        std::printf("#%u display %u %s len %u -> %d:", entry.sequence, display,
            entry.kind == kReportSent ? "sent" : "read", entry.length, entry.result);
        for (std::uint32_t i = 0; i < 8 && i < entry.length; ++i)
            std::printf(" %02x", entry.bytes[i]);
        std::printf("%s\n", entry.length > 8 ? " ..." : "");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const Arguments args = Parse(argc, argv);
    if (args.words.empty() || args.words[0] == "--help" || args.words[0] == "help") {
        PrintUsage();
        return args.words.empty() ? 2 : 0;
    }
    const std::string& command = args.words[0];
    SimulatorState state;
    const bool creates = command == "run" || command == "add";
    if (!state.Open(SimulatorState::SessionName(), creates)) {
        std::fprintf(stderr, "no simulator session %ls (start 'DisplaySimulator run' first)\n",
            SimulatorState::SessionName().c_str());
        return 1;
    }
    const int display = args.words.size() > 1 ? std::atoi(args.words[1].c_str()) : 0;
    if (command == "run")
        return Run(state, args);
    if (command == "add") {
        const int added = state.AddDisplay(OptionsFrom(args));
        std::printf("display %d added\n", added);
        if (added)
            NotifyProgram(state, added, true);
        return added ? 0 : 1;
    }
    if (command == "unplug" || command == "plug") {
        const bool plugIn = command == "plug";
        if (!state.SetPresent(display, plugIn)) {
            std::fprintf(stderr, "no display %d\n", display);
            return 1;
        }
        std::printf("display %d %s\n", display, plugIn ? "plugged in" : "unplugged");
        NotifyProgram(state, display, plugIn);
        return 0;
    }
    if (command == "fail-sends" && args.words.size() > 2)
        return state.SetFault(display, Fault::Sends, args.words[2] == "on") ? 0 : 1;
    if (command == "version" && args.words.size() > 2)
        return state.SetFirmwareVersion(display, static_cast<int>(std::strtol(args.words[2].c_str(), nullptr, 0))) ? 0
                                                                                                                   : 1;
    if (command == "status") {
        std::printf("%s\n", StatusLine(state).c_str());
        return 0;
    }
    if (command == "reports")
        return PrintReports(state, display > 0 ? display : 10);
    PrintUsage();
    return 2;
}
