#include "app/ui/DeviceMainDlg.h"

#include "app/core/CommandCodes.h"
#include "app/core/ModuleDir.h"
#include "app/core/SettingsStore.h"
#include "app/core/SingleInstance.h"
#include "app/core/StartupTask.h"
#include "app/device/CHidDeviceManager.h"
#include "app/device/DisplayDiscovery.h"
#include "app/device/RefreshDisplay.h"
#include "app/device/SensorFeed.h"
#include "app/ui/CUIMessageBox.h"
#include "app/ui/TrayMenu.h"
#include "app/update/UpdateAddresses.h"
#include "app/update/UpdateCheck.h"
#include "app/update/UpdateFolders.h"
#include "app/update/UpdateResult.h"
#include "app/update/UpdateRunner.h"

#include <imm.h>

#include <cstdlib>

namespace {

constexpr UINT kWindowIconId = 107;
constexpr wchar_t kWindowTitle[] = L"ORVANE";

// Where the window's hit areas and pictures sit, in client pixels. The close
// button's place is fixed whatever the DPI; the selectors use the free band
// at the bottom of both backgrounds.
constexpr RECT kCloseArea = {295, 25, 313, 42};
constexpr RECT kDeviceTypeArea = {20, 200, 60, 240};
constexpr RECT kTempTypeArea = {68, 200, 108, 240};
constexpr RECT kLedRect = {116, 212, 132, 228};

const wchar_t* BackgroundImage(int tempeType) { return tempeType == 0 ? L"img_cpu_bkg5.png" : L"img_cpu_bkg6.png"; }
const wchar_t* DeviceImage(int deviceType) { return deviceType == 0 ? L"img_dev_cpu.png" : L"img_dev_gpu.png"; }
const wchar_t* TempTypeImage(int tempeType) { return tempeType == 0 ? L"img_temp_type1.png" : L"img_temp_type2.png"; }

Lumo::MPicture* AsPicture(Lumo::MControl* control) { return dynamic_cast<Lumo::MPicture*>(control); }

void SetPictureRect(Lumo::MPicture* picture, const RECT& rect)
{
    if (picture)
        picture->SetRect(rect);
}

void SetPictureImage(Lumo::MPicture* picture, const wchar_t* image)
{
    if (picture)
        picture->SetImage(image, 1);
}

} // namespace

DeviceMainDlg::DeviceMainDlg() = default;

DeviceMainDlg::~DeviceMainDlg()
{
    // No worker cycle may run on a half-destroyed dialog.
    StopWorker();
}

RECT DeviceMainDlg::CornerRect(const RECT& workArea)
{
    return {workArea.right - kWidth - 3, workArea.bottom - kHeight - 3, workArea.right - 3, workArea.bottom - 3};
}

int DeviceMainDlg::RunModal()
{
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    Create(nullptr, kWindowTitle, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW,
        CornerRect(workArea));
    return static_cast<int>(ShowModal(0));
}

std::wstring DeviceMainDlg::SkinFolder() { return GetModuleDir() + L"skins\\" + Lumo::Manager::GetTheme(); }

int DeviceMainDlg::OnInitDialog()
{
    MDialog::OnInitDialog();

    const ProgramSettings settings = ReadProgramSettings();
    m_ledSwitch = settings.ledSwitch;
    m_deviceType = settings.deviceType;
    m_tempeType = settings.tempeType;
    ApplyImages();

    RegisterStartupTask();
    StartHardwareMonitor();

    SetPropW(m_hWnd, kInstanceName, reinterpret_cast<HANDLE>(1));
    AddTrayIconFromSkin();
    SetIcon(kWindowIconId);
    SetTimer(kTrayTimerId, kTrayTimerMs, nullptr);

    TurnInputMethodOff();
    RegisterDisplayNotifications(m_hWnd);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);

    m_softwareAddress = DefaultSoftwareAddress();
    m_firmwareAddress = DefaultFirmwareAddress();
    m_currentVersion = kCurrentVersion;
    m_workerWindow = m_hWnd;

    // The start-up commands go in before the thread starts, so their order is
    // fixed: quiet software check, first rescan, quiet firmware check.
    if (!IsRunning()) {
        QueueStartupCommands(m_commands);
        StartWorker();
    }
    StartSensorWatchdog(m_hWnd);
    return 1;
}

void DeviceMainDlg::InitUI(RECT client)
{
    SetLayeredWindow(1);
    EnableDrawInfo(1);
    const RECT empty = {};
    m_closePicture = AsPicture(CreateArea(L"MPicture", kClosePictureId, empty, nullptr, 1, 1));
    SetPictureImage(m_closePicture, L"img_btn_close.png");
    m_tempTypePicture = AsPicture(CreateArea(L"MPicture", kTempTypePictureId, empty, nullptr, 1, 1));
    m_ledPicture = AsPicture(CreateArea(L"MPicture", kLedPictureId, empty, nullptr, 1, 1));
    m_devicePicture = AsPicture(CreateArea(L"MPicture", kDevicePictureId, empty, nullptr, 1, 1));
    if (m_devicePicture)
        m_devicePicture->SetTooltip(L"Show the processor or the graphics card");
    if (m_tempTypePicture)
        m_tempTypePicture->SetTooltip(L"Switch the window's background");
    UISize(client);
}

void DeviceMainDlg::UISize(RECT client)
{
    if (client.right - client.left <= 10)
        return;
    m_closeArea = kCloseArea;
    SetPictureRect(m_closePicture, m_closeArea);
    m_deviceTypeArea = kDeviceTypeArea;
    m_tempTypeArea = kTempTypeArea;
    SetPictureRect(m_devicePicture, m_deviceTypeArea);
    SetPictureRect(m_tempTypePicture, m_tempTypeArea);
    SetPictureRect(m_ledPicture, kLedRect);
}

// The background follows the temperature type, the device picture the device type.
void DeviceMainDlg::ApplyImages()
{
    LoadBKImage(BackgroundImage(m_tempeType));
    SetPictureImage(m_devicePicture, DeviceImage(m_deviceType));
    SetPictureImage(m_tempTypePicture, TempTypeImage(m_tempeType));
    SetPictureImage(m_ledPicture, m_ledSwitch != 0 ? L"img_led_on.png" : L"img_dev_off.png");
}

LRESULT DeviceMainDlg::OnMessage(UINT, UINT, WPARAM, LPARAM) { return 0; }

int DeviceMainDlg::OnMouseMove(UINT keys, POINT point)
{
    const int result = MDialog::OnMouseMove(keys, point);
    const int hover = PtInRect(&m_closeArea, point) ? 1 : 0;
    if (hover != m_closeHover) {
        m_closeHover = hover;
        InvalidateClient();
    }
    return result;
}

void DeviceMainDlg::ToggleSetting(const wchar_t* name, int& value)
{
    value = value != 0 ? 0 : 1;
    WriteSetting(name, value != 0 ? L"1" : L"0");
}

int DeviceMainDlg::OnLButtonDown(UINT keys, POINT point)
{
    const int result = MDialog::OnLButtonDown(keys, point);
    if (PtInRect(&m_deviceTypeArea, point)) {
        int deviceType = m_deviceType;
        ToggleSetting(L"device_type", deviceType);
        m_deviceType = deviceType;
    } else if (PtInRect(&m_tempTypeArea, point)) {
        ToggleSetting(L"tempe_type", m_tempeType);
    } else if (PtInRect(&m_closeArea, point)) {
        ShowWindow(SW_HIDE);
    }
    ApplyImages();
    InvalidateClient();
    return result;
}

int DeviceMainDlg::OnLButtonUp(UINT keys, POINT point) { return MDialog::OnLButtonUp(keys, point); }

void DeviceMainDlg::OnTimer(UINT id)
{
    if (id == kTrayTimerId) {
        // A tray icon lost because the shell was not ready at logon comes back once.
        KillTimer(kTrayTimerId);
        m_tray.Remove();
        AddTrayIconFromSkin();
        PlaceInCorner();
    } else if (id == kSensorWatchdogTimerId) {
        OnSensorWatchdogTimer(m_hWnd, m_watchdog, m_sensor.Record());
    }
}

LRESULT DeviceMainDlg::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_DEVICECHANGE:
        return OnDeviceChange(wparam, lparam, m_commands);
    case WM_TRAY_NOTIFY:
        return OnTrayNotify(lparam);
    case WM_UPDATE_RESULT:
        return ::OnUpdateResult(
            wparam, lparam, m_latestSoftware, m_latestFirmware,
            [](const std::wstring& text, const std::wstring& title, int style) {
                return ShowMessageBox(text.c_str(), title.c_str(), style);
            },
            [this](UpdateChannel channel) {
                m_commands.QueueCommand(channel == UpdateChannel::Software ? CMD_UPDATE_SOFTWARE : CMD_UPDATE_FIRMWARE);
            });
    case WM_COMMAND:
        return OnCommand(LOWORD(wparam), msg, wparam, lparam);
    default:
        return MDialog::OnWindowMessage(msg, wparam, lparam);
    }
}

LRESULT DeviceMainDlg::OnCommand(UINT id, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (id == kMenuExit) {
        // Ends at once: the companion keeps running until the next start removes it.
        m_tray.Remove();
        ExitProcess(0);
    }
    if (id == 101)
        m_commands.QueueCommand(CMD_CHECK_FIRMWARE);
    else if (id == 102)
        m_commands.QueueCommand(CMD_CHECK_SOFTWARE);
    return MDialog::OnWindowMessage(msg, wparam, lparam);
}

LRESULT DeviceMainDlg::OnTrayNotify(LPARAM mouseMessage)
{
    if (mouseMessage == WM_LBUTTONDOWN) {
        SetForegroundWindow(m_hWnd);
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow(m_hWnd);
        BringWindowToTop(m_hWnd);
        PlaceInCorner();
    } else if (mouseMessage == WM_RBUTTONUP) {
        ShowTrayMenu(m_hWnd, CHidDeviceManager::Instance().DisplayCount());
    }
    return 0;
}

void DeviceMainDlg::AddTrayIconFromSkin()
{
    m_tray.Add(m_hWnd, Lumo::MRender::LoadIconFromFile(SkinFolder() + L"Thermadex.ico"));
}

void DeviceMainDlg::PlaceInCorner()
{
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    MoveWindow(workArea.right - kWidth - 3, workArea.bottom - kHeight - 3, kWidth, kHeight, TRUE);
}

void DeviceMainDlg::InvalidateClient()
{
    RECT client = {};
    GetClientRect(&client);
    InvalidateRect(client, 0);
}

void DeviceMainDlg::TurnInputMethodOff()
{
    if (HIMC context = ImmGetContext(m_hWnd)) {
        ImmSetOpenStatus(context, FALSE);
        ImmReleaseContext(m_hWnd, context);
    }
    ImmAssociateContext(m_hWnd, nullptr);
}

void DeviceMainDlg::StopWorker()
{
    StopThread();
    m_tray.Remove();
    DestroyWindow();
}

void DeviceMainDlg::Run() { DispatchWorkerCycle(m_commands, *this); }

void DeviceMainDlg::RefreshDisplay()
{
    const TemperatureSource source
        = m_deviceType.load() == 0 ? TemperatureSource::Processor : TemperatureSource::GraphicsAdapter;
    ::RefreshDisplay(m_sensor.Record(), m_workerWindow.load(), *this, CHidDeviceManager::Instance(), source);
}

void DeviceMainDlg::RescanDevices() { ::RescanDevices(CHidDeviceManager::Instance(), m_sensor); }

void DeviceMainDlg::CheckSoftware(bool quiet)
{
    CheckSoftwareUpdate(m_workerWindow.load(), m_softwareAddress, m_currentVersion, m_latestSoftware,
        quiet ? CheckMode::Quiet : CheckMode::Loud);
}

void DeviceMainDlg::CheckFirmware(bool quiet)
{
    CheckFirmwareUpdate(
        m_workerWindow.load(), m_firmwareAddress, m_latestFirmware,
        [] {
            int version = -1;
            CHidDeviceManager::Instance().QueryFirmwareVersion(version);
            return version;
        },
        quiet ? CheckMode::Quiet : CheckMode::Loud);
}

namespace {

UpdateEnvironment MakeUpdateEnvironment(HWND window, int* lastProgress)
{
    // Once the installer or firmware tool runs, this process ends the way a
    // program's exit does, destroying its statics (the displays are closed).
    return {window, lastProgress, GetDataFolder(), [] { std::exit(0); }};
}

} // namespace

void DeviceMainDlg::UpdateSoftware()
{
    RunUpdate(UpdateChannel::Software, m_softwareAddress, m_latestSoftware.Get(),
        MakeUpdateEnvironment(m_workerWindow.load(), &m_lastProgress));
}

void DeviceMainDlg::UpdateFirmware()
{
    RunUpdate(UpdateChannel::Firmware, m_firmwareAddress, m_latestFirmware.Get(),
        MakeUpdateEnvironment(m_workerWindow.load(), &m_lastProgress));
}
