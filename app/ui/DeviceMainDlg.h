#pragma once

#include "app/core/CThreadBasic.h"
#include "app/core/CommandList.h"
#include "app/core/WorkerDispatch.h"
#include "app/device/SensorMapping.h"
#include "app/device/SensorWatchdog.h"
#include "app/ui/TrayIcon.h"
#include "app/update/LatestVersion.h"
#include "lumo/lumo.h"

#include <atomic>
#include <string>

// The program's corner window and its hub: its initialisation starts the
// settings, the autostart task, the companion, the tray icon, the device
// notifications and the worker; its message handler takes device changes,
// tray callbacks and update results; the worker runs its commands and the
// once-a-second display refresh.
class DeviceMainDlg : public Lumo::MDialog, public CThreadBasic, private WorkerCommandHandler {
public:
    static constexpr int kWidth = 340;
    static constexpr int kHeight = 250;
    static constexpr UINT kTrayTimerId = 200;
    static constexpr UINT kTrayTimerMs = 10000;
    // Control ids of the four pictures.
    static constexpr UINT kClosePictureId = 31;
    static constexpr UINT kLedPictureId = 32;
    static constexpr UINT kTempTypePictureId = 33;
    static constexpr UINT kDevicePictureId = 34;
    static constexpr wchar_t kCurrentVersion[] = L"1.0.0.3";

    DeviceMainDlg();
    ~DeviceMainDlg() override;

    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override;
    int OnInitDialog() override;
    void InitUI(RECT client) override;
    void UISize(RECT client) override;
    LRESULT OnMessage(UINT id, UINT code, WPARAM wparam, LPARAM lparam) override;
    int OnMouseMove(UINT keys, POINT point) override;
    int OnLButtonDown(UINT keys, POINT point) override;
    int OnLButtonUp(UINT keys, POINT point) override;
    void OnTimer(UINT id) override;
    // Stops the worker (returning once it has left its last cycle), removes
    // the tray icon and destroys the window.
    virtual void StopWorker();

    // One worker cycle: the first waiting command, or the refresh.
    void Run() override;

    // Creates the window hidden in the bottom-right corner of the work area
    // and runs its modal loop; returns the loop's result.
    int RunModal();

    // The window's place: 3 pixels in from the work area's right and bottom edges.
    static RECT CornerRect(const RECT& workArea);

    // What the window shows and sends, and where the user selects it.
    int DeviceType() const { return m_deviceType.load(); }
    int TempeType() const { return m_tempeType; }
    RECT CloseArea() const { return m_closeArea; }
    RECT DeviceTypeArea() const { return m_deviceTypeArea; }
    RECT TempTypeArea() const { return m_tempTypeArea; }

private:
    // The worker's commands.
    void RefreshDisplay() override;
    void RescanDevices() override;
    void CheckSoftware(bool quiet) override;
    void CheckFirmware(bool quiet) override;
    void UpdateSoftware() override;
    void UpdateFirmware() override;

    LRESULT OnTrayNotify(LPARAM mouseMessage);
    LRESULT OnCommand(UINT id, UINT msg, WPARAM wparam, LPARAM lparam);
    void AddTrayIconFromSkin();
    void ApplyImages();
    void PlaceInCorner();
    void InvalidateClient();
    void TurnInputMethodOff();
    void ToggleSetting(const wchar_t* name, int& value);
    static std::wstring SkinFolder();

    // The worker's command list: the window thread appends, the worker takes.
    CommandList m_commands;
    SensorMapping m_sensor;
    SensorWatchdog m_watchdog;
    TrayIcon m_tray;

    // Owned by the paint manager; null when the factory had none.
    Lumo::MPicture* m_closePicture = nullptr;
    Lumo::MPicture* m_devicePicture = nullptr;
    Lumo::MPicture* m_ledPicture = nullptr;
    Lumo::MPicture* m_tempTypePicture = nullptr;
    RECT m_closeArea = {};
    int m_closeHover = 0;
    int m_ledSwitch = 1;
    // Read by the worker to choose which temperature it sends.
    std::atomic<int> m_deviceType{0};
    // The window as the worker sees it (it invalidates it and posts to it);
    // set once the window exists.
    std::atomic<HWND> m_workerWindow{nullptr};
    int m_tempeType = 0;
    RECT m_deviceTypeArea = {};
    RECT m_tempTypeArea = {};

    // Update channels and what the last checks found.
    std::wstring m_softwareAddress;
    std::wstring m_firmwareAddress;
    std::wstring m_currentVersion;
    LatestVersion m_latestSoftware;
    LatestVersion m_latestFirmware;
    int m_lastProgress = 0;
};
