// The main window in this process: its hover repaints and its selection
// pictures, with the worker and the companion running as in the program.
#include "app/ui/DeviceMainDlg.h"

#include "ProgramTestSupport.h"
#include "ScreenPixels.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

namespace {

using namespace ProgramTest;

class CountingMainDlg : public DeviceMainDlg {
public:
    LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override
    {
        if (msg == WM_PAINT)
            ++paints;
        return DeviceMainDlg::OnWindowMessage(msg, wparam, lparam);
    }
    int paints = 0;
};

// A 32-bit DIB the paint manager paints a whole frame into.
class Frame {
public:
    Frame()
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 340, 250, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_previous = SelectObject(m_dc, m_bitmap);
    }
    ~Frame()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    void PaintFrom(Lumo::MDialog& dialog)
    {
        const RECT client = {0, 0, 340, 250};
        dialog.GetPaintManager()->PaintFrame(m_dc, m_bits, 340, 250, client);
        GdiFlush();
    }
    // 0x00RRGGBB at client (x, y); the rows are bottom-up.
    DWORD At(int x, int y) const { return reinterpret_cast<const DWORD*>(m_bits)[(249 - y) * 340 + x] & 0x00FFFFFF; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    BYTE* m_bits = nullptr;
};

class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        TestProcess::EndProcessesNamed(L"OpenHardwareMonitorServer.exe");
        DeleteSettings();
        // A companion that publishes no temperature: no refresh repaints the window.
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", L"--temp 0 --fan 0 --interval 200");
        window = dialog.Create(nullptr, L"ORVANE", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
            WS_EX_TOOLWINDOW, RECT{100, 100, 440, 350});
        ASSERT_NE(window, nullptr);
        TestSupport::PumpMessages(500);
    }
    void TearDown() override
    {
        dialog.StopWorker();
        SetEnvironmentVariableW(L"THERMADEX_SENSOR_SIM", nullptr);
        TestProcess::EndProcessesNamed(L"OpenHardwareMonitorServer.exe");
        DeleteSettings();
    }
    void Move(int x, int y)
    {
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        TestSupport::PumpMessages(150);
    }
    // A real click: a press where no control takes the mouse starts a window
    // drag, which only a real button release ends.
    void Press(int x, int y)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        Click(rect.left + x, rect.top + y);
        TestSupport::PumpMessages(400);
    }

    CountingMainDlg dialog;
    HWND window = nullptr;
};

TEST_F(MainWindow, RepaintsOncePerCrossingOfTheCloseArea)
{
    const RECT close = dialog.CloseArea();
    const RECT expected = {295, 25, 313, 42};
    EXPECT_TRUE(EqualRect(&close, &expected));
    Move(100, 100);
    const int before = dialog.paints;
    Move(300, 30);
    EXPECT_EQ(dialog.paints, before + 1) << "entering the close area";
    Move(305, 35);
    Move(310, 40);
    EXPECT_EQ(dialog.paints, before + 1) << "moves inside it";
    Move(100, 100);
    EXPECT_EQ(dialog.paints, before + 2) << "leaving it";
    Move(120, 110);
    EXPECT_EQ(dialog.paints, before + 2);
}

TEST_F(MainWindow, TheSelectionPicturesSwitchAndStoreTheDeviceAndTheBackground)
{
    const std::wstring bin = TestProcess::BinDir();
    POINT gpuAt = {}, cpuAt = {};
    DWORD gpu = 0, cpu = 0;
    ASSERT_TRUE(TellingPixel(bin, L"img_dev_gpu.png", L"img_dev_cpu.png", gpuAt, gpu));
    ASSERT_TRUE(TellingPixel(bin, L"img_dev_cpu.png", L"img_dev_gpu.png", cpuAt, cpu));
    const RECT device = dialog.DeviceTypeArea();
    const RECT temperature = dialog.TempTypeArea();
    Frame frame;

    frame.PaintFrom(dialog);
    EXPECT_LE(ColourDistance(frame.At(device.left + cpuAt.x, device.top + cpuAt.y), cpu), 8);
    EXPECT_LE(ColourDistance(frame.At(170, 60), SkinPixel(bin, L"img_cpu_bkg5.png", 170, 60)), 3);

    Press(device.left + 20, device.top + 20);
    EXPECT_EQ(dialog.DeviceType(), 1);
    EXPECT_EQ(ReadStoredSetting(L"device_type").text, L"1");
    frame.PaintFrom(dialog);
    EXPECT_LE(ColourDistance(frame.At(device.left + gpuAt.x, device.top + gpuAt.y), gpu), 8);

    Press(temperature.left + 20, temperature.top + 20);
    EXPECT_EQ(dialog.TempeType(), 1);
    EXPECT_EQ(ReadStoredSetting(L"tempe_type").text, L"1");
    frame.PaintFrom(dialog);
    EXPECT_LE(ColourDistance(frame.At(170, 60), SkinPixel(bin, L"img_cpu_bkg6.png", 170, 60)), 3);

    Press(device.left + 20, device.top + 20);
    EXPECT_EQ(dialog.DeviceType(), 0);
    EXPECT_EQ(ReadStoredSetting(L"device_type").text, L"0");
    EXPECT_TRUE(IsWindowVisible(window)) << "only the close area hides the window";
}

} // namespace
