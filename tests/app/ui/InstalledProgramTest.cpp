// The installed program (dist/Thermadex) run as a real process under Wine,
// with the companion sensor simulator in its companion folder and the display
// simulator as its hidapi.dll; driven like a user would, through the tray
// callback and real mouse input, and checked on the simulated displays, in the
// registry and on the screen.
#include "ProgramTestSupport.h"
#include "SimulatedDisplays.h"
#include "TestProcess.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace ProgramTest;
using namespace TestProcess;

constexpr wchar_t kCompanion[] = L"OpenHardwareMonitorServer.exe";
constexpr wchar_t kProgram[] = L"Thermadex.exe";
constexpr UINT kTrayNotify = 1690;
constexpr int kWidth = 340, kHeight = 250;

bool IsTemperatureReport(const DisplaySim::LogEntry& entry)
{
    return entry.kind == DisplaySim::kReportSent && entry.length == 65 && entry.bytes[0] == 7;
}

std::array<int, 6> Digits(const DisplaySim::InterfaceSlot& slot)
{
    return {slot.digits[0], slot.digits[1], slot.digits[2], slot.digits[3], slot.digits[4], slot.digits[5]};
}

// Whether the notification area holds the program's icon (window, id 109):
// only an existing icon can be modified.
bool TrayIconShown(HWND window)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = 109;
    data.uFlags = NIF_TIP;
    wcscpy(data.szTip, L"Orvane");
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

RECT WorkArea()
{
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT CornerRect()
{
    const RECT area = WorkArea();
    return {area.right - kWidth - 3, area.bottom - kHeight - 3, area.right - 3, area.bottom - 3};
}

class InstalledProgram : public SimulatedDisplays {
protected:
    void SetUp() override
    {
        SimulatedDisplays::SetUp();
        EndProcessesNamed(kProgram);
        EndProcessesNamed(kCompanion);
        DeleteSettings();
        folder = MakeProgramFolder();
        ASSERT_TRUE(Exists(folder + kProgram)) << "run the dist.install fixture first";
        // The program starts the companion with its bare path; it takes its values from here.
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", L"--temp 45.7 --fan 1234.9 --interval 100");
    }

    void TearDown() override
    {
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", nullptr);
        EndProcessesNamed(kProgram);
        EndProcessesNamed(kCompanion);
        Sleep(200);
        RemoveTree(folder);
        DeleteSettings();
    }

    HANDLE StartProgram() { return Start(L"\"" + folder + kProgram + L"\""); }

    // Starts the program and waits until its window exists and its first
    // refresh has reached display 1.
    HANDLE StartAndWaitForDisplay(HWND& window)
    {
        HANDLE process = StartProgram();
        EXPECT_NE(process, nullptr);
        window = WaitForInstanceWindow(20000);
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(WaitFor([&] { return DisplayInterface(1).showing != 0; }, 20000));
        return process;
    }

    template<typename Condition> static bool WaitFor(Condition condition, DWORD timeoutMs)
    {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > timeoutMs)
                return false;
            Sleep(50);
        }
        return true;
    }

    static DWORD ExitCodeAfter(HANDLE process, DWORD timeoutMs)
    {
        if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
            return 0xFFFFFFFF;
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        return code;
    }

    std::wstring folder;
};

// When the companion's record first holds a processor temperature (polled here
// the way the worker polls it), as a tick count; 0 on time-out.
DWORD FirstTemperatureTick(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, L"velmar_hardware_mapfile")) {
            const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 716);
            float temperature = 0.0f;
            if (view)
                memcpy(&temperature, static_cast<const char*>(view) + 284, sizeof(temperature));
            if (view)
                UnmapViewOfFile(view);
            CloseHandle(mapping);
            if (temperature != 0.0f)
                return GetTickCount();
        }
        Sleep(5);
    }
    return 0;
}

TEST_F(InstalledProgram, DrivesEveryDisplayAboutOnceASecondFromTheCompanionsRecord)
{
    AddDisplays(2);
    // The companion publishes only after a while, once the start-up commands
    // have run; the first report must follow its first value within about a second.
    SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", L"--temp 45.7 --fan 1234.9 --interval 100 --delay 4000");
    HANDLE process = StartProgram();
    ASSERT_NE(process, nullptr);
    HWND window = WaitForInstanceWindow(20000);
    ASSERT_NE(window, nullptr);
    const DWORD firstValue = FirstTemperatureTick(20000);
    ASSERT_NE(firstValue, 0u) << "the companion never published";
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<DisplaySim::LogEntry> log = sim.LogSince(0);
            return std::count_if(log.begin(), log.end(), IsTemperatureReport) >= 6;
        },
        15000));

    const std::vector<DisplaySim::LogEntry> log = sim.LogSince(0);
    const auto firstReport = std::find_if(log.begin(), log.end(), IsTemperatureReport);
    ASSERT_NE(firstReport, log.end());
    EXPECT_LE(firstReport->tick - firstValue, 1200u) << "from the first value to the first report";

    // 45.7 C and 1234.9 rpm, the same 65 bytes to both displays.
    const std::array<std::uint8_t, 7> expected = {7, 4, 5, 1, 2, 3, 4};
    std::vector<DisplaySim::LogEntry> reports;
    std::copy_if(log.begin(), log.end(), std::back_inserter(reports), IsTemperatureReport);
    for (const DisplaySim::LogEntry& report : reports) {
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), report.bytes));
        EXPECT_TRUE(std::all_of(report.bytes + 7, report.bytes + 65, [](std::uint8_t b) { return b == 0; }));
    }
    for (int display : {1, 2})
        EXPECT_EQ(Digits(DisplayInterface(display)), (std::array<int, 6>{4, 5, 1, 2, 3, 4}));
    // About once a second: each cycle sends to both displays, then pauses.
    std::vector<DWORD> toFirst;
    for (const DisplaySim::LogEntry& report : reports)
        if (DisplayOfSlot(report.slot) == 1)
            toFirst.push_back(report.tick);
    ASSERT_GE(toFirst.size(), 3u);
    for (size_t i = 1; i < toFirst.size(); ++i) {
        EXPECT_GE(toFirst[i] - toFirst[i - 1], 950u);
        EXPECT_LE(toFirst[i] - toFirst[i - 1], 1500u);
    }

    // The first start writes "led_switch" as the text "1" and nothing else.
    const StoredSetting led = ReadStoredSetting(L"led_switch");
    EXPECT_EQ(led.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(led.text, L"1");
    EXPECT_EQ(ReadStoredSetting(L"device_type").type, 0u);
    EXPECT_EQ(ReadStoredSetting(L"tempe_type").type, 0u);

    // The values follow the companion: a new companion with other values.
    EndProcessesNamed(kCompanion);
    HANDLE companion = Start(L"\"" + CompanionPath(folder) + L"\" --temp 62.4 --fan 2345.2 --interval 100");
    ASSERT_NE(companion, nullptr);
    CloseHandle(companion);
    EXPECT_TRUE(WaitFor(
        [&] {
            return Digits(DisplayInterface(1)) == std::array<int, 6>{6, 2, 2, 3, 4, 5}
            && Digits(DisplayInterface(2)) == std::array<int, 6>{6, 2, 2, 3, 4, 5};
        },
        3000));

    // The normal shutdown: the modal loop ends, the companion is ended, exit code 1.
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeAfter(process, 15000), 1u);
    CloseHandle(process);
    EXPECT_TRUE(WaitFor([] { return ProcessIdsNamed(kCompanion).empty(); }, 3000));
}

TEST_F(InstalledProgram, StartsHiddenShowsInTheCornerFromTheTrayAndHidesWithItsCloseButton)
{
    AddDisplays(1);
    HWND window = nullptr;
    HANDLE process = StartAndWaitForDisplay(window);
    ASSERT_NE(process, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "the window starts hidden";

    PostMessageW(window, kTrayNotify, 109, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    RECT rect = {};
    GetWindowRect(window, &rect);
    const RECT corner = CornerRect();
    EXPECT_TRUE(EqualRect(&rect, &corner)) << rect.left << "," << rect.top << " " << rect.right << "," << rect.bottom;

    // A press in the close area (295, 25)-(313, 42) hides the window again.
    Click(rect.left + 304, rect.top + 33);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(window) == FALSE; }, 5000));
    EXPECT_TRUE(IsRunning(process));
    CloseHandle(process);
}

TEST_F(InstalledProgram, ASecondStartEndsWithZeroWithoutASecondWindowOrCompanion)
{
    AddDisplays(1);
    HWND window = nullptr;
    HANDLE first = StartAndWaitForDisplay(window);
    ASSERT_NE(first, nullptr);
    const std::vector<DWORD> companions = ProcessIdsNamed(kCompanion);
    ASSERT_EQ(companions.size(), 1u);

    HANDLE second = StartProgram();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(ExitCodeAfter(second, 15000), 0u);
    CloseHandle(second);
    EXPECT_EQ(InstanceWindows().size(), 1u);
    EXPECT_EQ(ProcessIdsNamed(kCompanion), companions);
    EXPECT_TRUE(IsRunning(first));
    CloseHandle(first);
}

// The menu belongs to the program's process, so its texts are compared as the
// screen shows them: against the same menu opened by this test at the same place.
ScreenImage OpenMenuImage(const std::function<void()>& open)
{
    open();
    HWND menu = nullptr;
    for (int i = 0; i < 100 && !menu; ++i) {
        Sleep(50);
        menu = FindWindowW(L"#32768", nullptr);
    }
    if (!menu)
        return {};
    Sleep(300);
    RECT rect = {};
    GetWindowRect(menu, &rect);
    ScreenImage image = CaptureScreen(rect);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 40 && FindWindowW(L"#32768", nullptr); ++i)
        Sleep(50);
    return image;
}

ScreenImage OwnMenuImage(const wchar_t* deviceLine, POINT at)
{
    HWND owner = CreateWindowExW(
        WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 203, L"Version: 1.0.0.3");
    AppendMenuW(menu, MF_STRING, 202, deviceLine);
    AppendMenuW(menu, MF_STRING, 100, L"Exit");
    ScreenImage image;
    // The menu runs its own loop on this thread; a thread captures and closes it.
    std::thread capture([&] { image = OpenMenuImage([] {}); });
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    capture.join();
    DestroyMenu(menu);
    DestroyWindow(owner);
    return image;
}

TEST_F(InstalledProgram, TheTrayMenuCountsTheDisplaysAndExitLeavesTheCompanionForTheNextStart)
{
    AddDisplays(2);
    HWND window = nullptr;
    HANDLE process = StartAndWaitForDisplay(window);
    ASSERT_NE(process, nullptr);
    ASSERT_TRUE(WaitFor([&] { return DisplayInterface(2).showing != 0; }, 5000));

    const POINT at = {400, 300};
    SetCursorPos(at.x, at.y);
    Sleep(200);
    const ScreenImage programs = OpenMenuImage([&] { PostMessageW(window, kTrayNotify, 109, WM_RBUTTONUP); });
    ASSERT_GT(programs.width, 0) << "the program opened no menu";
    const ScreenImage two = OwnMenuImage(L"2 Device", at);
    const ScreenImage one = OwnMenuImage(L"1 Device", at);
    ASSERT_EQ(programs.width, two.width);
    ASSERT_EQ(programs.height, two.height);
    EXPECT_TRUE(programs.pixels == two.pixels) << "the program's menu does not read \"2 Device\"";
    EXPECT_FALSE(one.pixels == two.pixels) << "the comparison could not tell the counts apart";

    // Exit removes the tray icon and ends the program at once; the companion keeps running.
    const std::vector<DWORD> companions = ProcessIdsNamed(kCompanion);
    ASSERT_EQ(companions.size(), 1u);
    EXPECT_TRUE(TrayIconShown(window));
    PostMessageW(window, WM_COMMAND, 100, 0);
    EXPECT_EQ(ExitCodeAfter(process, 10000), 0u);
    CloseHandle(process);
    EXPECT_FALSE(TrayIconShown(window)) << "a stale icon stayed in the tray";
    EXPECT_EQ(ProcessIdsNamed(kCompanion), companions);

    // The next start ends the old companion before it starts a fresh one.
    HWND next = nullptr;
    HANDLE again = StartAndWaitForDisplay(next);
    ASSERT_NE(again, nullptr);
    const std::vector<DWORD> now = ProcessIdsNamed(kCompanion);
    EXPECT_EQ(now.size(), 1u);
    EXPECT_TRUE(std::find(now.begin(), now.end(), companions.front()) == now.end());
    CloseHandle(again);
}

struct LookCase {
    const wchar_t* tempeType;
    const wchar_t* deviceType;
    const wchar_t* background;
    const wchar_t* device;
    const wchar_t* otherDevice;
    const wchar_t* screenshot;
    int tens; // the temperature digits the display shows
    int units;
};

void PrintTo(const LookCase& c, std::ostream* os)
{
    *os << "tempe_type " << (c.tempeType[0] == L'1' ? 1 : 0) << ", device_type " << (c.deviceType[0] == L'1' ? 1 : 0);
}

class InstalledProgramLook : public InstalledProgram, public testing::WithParamInterface<LookCase> { };

// Telling places of the screen, not whole images: the background's plain
// gradient, a pixel that tells the device pictures apart, a cut-out corner.
TEST_P(InstalledProgramLook, ShowsTheChosenBackgroundAndDevicePicture)
{
    const LookCase& c = GetParam();
    AddDisplays(1);
    WriteSettingText(L"tempe_type", c.tempeType);
    WriteSettingText(L"device_type", c.deviceType);
    SetEnvironmentVariableW(
        L"THERMADEX_SENSOR_SIM", L"--temp 45.7 --fan 1234.9 --gpu1 \"Graphics Adapter\" 61.5 --interval 100");
    const RECT corner = CornerRect();
    const ScreenImage before = CaptureScreen(corner);
    HWND window = nullptr;
    HANDLE process = StartAndWaitForDisplay(window);
    ASSERT_NE(process, nullptr);
    MoveMouse(10, 10);
    PostMessageW(window, kTrayNotify, 109, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    Sleep(1500);
    const ScreenImage shown = CaptureScreen(corner);
    SaveScreenshot(shown, c.screenshot);

    const DWORD background = SkinPixel(folder, c.background, 170, 60) & 0x00FFFFFF;
    EXPECT_LE(ColourDistance(shown.At(170, 60), background), 3) << std::hex << shown.At(170, 60) << " " << background;
    POINT at = {};
    DWORD device = 0;
    ASSERT_TRUE(TellingPixel(folder, c.device, c.otherDevice, at, device));
    const DWORD onScreen = shown.At(20 + at.x, 200 + at.y);
    EXPECT_LE(ColourDistance(onScreen, device), 8) << std::hex << onScreen << " " << device;
    // Outside the rounded corner the window is see-through.
    EXPECT_EQ(shown.At(0, 0), before.At(0, 0));
    // The values are drawn in white over the number panels.
    int white = 0;
    for (int y = 100; y < 160; ++y)
        for (int x = 185; x < 305; ++x)
            white += ColourDistance(shown.At(x, y), 0xFBFBFB) < 16 ? 1 : 0;
    EXPECT_GT(white, 50) << "no temperature digits";
    // The graphics view sends the adapter's temperature, the processor view the processor's.
    const std::array<int, 6> digits = Digits(DisplayInterface(1));
    EXPECT_EQ(digits[0], c.tens);
    EXPECT_EQ(digits[1], c.units);
    CloseHandle(process);
}

INSTANTIATE_TEST_SUITE_P(Settings, InstalledProgramLook,
    testing::Values(
        LookCase{L"0", L"0", L"img_cpu_bkg5.png", L"img_dev_cpu.png", L"img_dev_gpu.png", L"main-window-cpu.png", 4, 5},
        LookCase{
            L"1", L"1", L"img_cpu_bkg6.png", L"img_dev_gpu.png", L"img_dev_cpu.png", L"main-window-gpu.png", 6, 1}),
    [](const testing::TestParamInfo<LookCase>& info) {
        return info.param.deviceType[0] == L'1' ? std::string("GraphicsView") : std::string("ProcessorView");
    });

TEST_F(InstalledProgram, OutlinesTheHoverBoxUnderTheMouse)
{
    AddDisplays(1);
    HWND window = nullptr;
    HANDLE process = StartAndWaitForDisplay(window);
    ASSERT_NE(process, nullptr);
    const RECT corner = CornerRect();
    MoveMouse(10, 10);
    PostMessageW(window, kTrayNotify, 109, WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    Sleep(1500);
    const DWORD away = CaptureScreen(corner).At(275, 18);
    // Over the close button first (the window repaints once on entering it), then over the box beside it.
    MoveMouse(corner.left + 304, corner.top + 33);
    Sleep(500);
    SaveScreenshot(CaptureScreen(corner), L"main-window-close-hovered.png");
    MoveMouse(corner.left + 284, corner.top + 18);
    // The next refresh repaints the overlay with its outline.
    ASSERT_TRUE(WaitFor([&] { return CaptureScreen(corner).At(275, 18) == 0xC8C8C8; }, 3000))
        << std::hex << CaptureScreen(corner).At(275, 18);
    SaveScreenshot(CaptureScreen(corner), L"main-window-hover-box.png");
    EXPECT_NE(away, 0xC8C8C8u);
    CloseHandle(process);
}

} // namespace
