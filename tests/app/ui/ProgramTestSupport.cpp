#include "ProgramTestSupport.h"

#include "TestProcess.h"
#include "ProgramTestPaths.h"

#include <gdiplus.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

namespace ProgramTest {

namespace {

constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Orvane";

void CopyTree(const std::wstring& from, const std::wstring& to)
{
    std::wstring source = from + L"*";
    source.push_back(L'\0');
    std::wstring target = to;
    target.push_back(L'\0');
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_COPY;
    operation.pFrom = source.c_str();
    operation.pTo = target.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

bool PngEncoder(CLSID& clsid)
{
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.get());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

void SendMouse(int x, int y, DWORD flags)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + width - 1) / width;
    input.mi.dy = (y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

} // namespace

std::wstring DistProgramDir() { return kDistProgramDir; }
std::wstring DistToolsDir() { return kDistToolsDir; }

std::wstring MakeProgramFolder()
{
    const std::wstring folder = TestProcess::NewTempFolder(L"Thermadex Program");
    CopyTree(DistProgramDir(), folder);
    TestProcess::CopyInto(DistToolsDir() + L"display-simulator\\hidapi.dll", folder + L"hidapi.dll");
    for (const wchar_t* companion : {L"HardwareMonitor", L"HardwareMonitorWin7"})
        TestProcess::CopyInto(DistToolsDir() + L"sensor-simulator\\OpenHardwareMonitorServer.exe",
            folder + companion + L"\\OpenHardwareMonitorServer.exe");
    return folder;
}

std::wstring CompanionPath(const std::wstring& programFolder)
{
    return programFolder + L"HardwareMonitor\\OpenHardwareMonitorServer.exe";
}

void DeleteSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey); }

void WriteSettingText(const wchar_t* name, const wchar_t* text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
        static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

StoredSetting ReadStoredSetting(const wchar_t* name)
{
    StoredSetting setting;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return setting;
    wchar_t buffer[128] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &setting.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS)
        setting.text = buffer;
    else
        setting.type = 0;
    RegCloseKey(key);
    return setting;
}

std::vector<HWND> InstanceWindows()
{
    std::vector<HWND> windows;
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
        if (GetPropW(window, L"Orvane"))
            windows.push_back(window);
    return windows;
}

HWND WaitForInstanceWindow(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        const std::vector<HWND> windows = InstanceWindows();
        if (!windows.empty())
            return windows.front();
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

void MoveMouse(int x, int y) { SendMouse(x, y, MOUSEEVENTF_MOVE); }

void Click(int x, int y)
{
    MoveMouse(x, y);
    Sleep(100);
    SendMouse(x, y, MOUSEEVENTF_LEFTDOWN);
    Sleep(50);
    SendMouse(x, y, MOUSEEVENTF_LEFTUP);
}

ScreenImage CaptureScreen(const RECT& rect)
{
    ScreenImage image;
    image.width = rect.right - rect.left;
    image.height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD* source = static_cast<const DWORD*>(bits);
    image.pixels.assign(source, source + static_cast<size_t>(image.width) * image.height);
    for (DWORD& pixel : image.pixels)
        pixel &= 0x00FFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

void SaveScreenshot(const ScreenImage& image, const std::wstring& name)
{
    wchar_t folder[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"THERMADEX_SCREENSHOT_DIR", folder, MAX_PATH) == 0)
        return;
    Gdiplus::Bitmap bitmap(image.width, image.height, PixelFormat32bppARGB);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(0xFF000000 | image.At(x, y)));
    CLSID png;
    if (PngEncoder(png))
        bitmap.Save((std::wstring(folder) + L"\\" + name).c_str(), &png, nullptr);
}

DWORD SkinPixel(const std::wstring& programFolder, const std::wstring& image, int x, int y)
{
    Gdiplus::Bitmap bitmap((programFolder + L"skins\\theme1\\" + image).c_str());
    Gdiplus::Color colour;
    if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetPixel(x, y, &colour) != Gdiplus::Ok)
        return 0;
    return colour.GetValue();
}

} // namespace ProgramTest

namespace ProgramTest {

int ColourDistance(DWORD a, DWORD b)
{
    int largest = 0;
    for (int shift : {0, 8, 16}) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, difference < 0 ? -difference : difference);
    }
    return largest;
}

bool TellingPixel(
    const std::wstring& programFolder, const std::wstring& wanted, const std::wstring& other, POINT& at, DWORD& colour)
{
    Gdiplus::Bitmap first((programFolder + L"skins\\theme1\\" + wanted).c_str());
    Gdiplus::Bitmap second((programFolder + L"skins\\theme1\\" + other).c_str());
    if (first.GetLastStatus() != Gdiplus::Ok || second.GetLastStatus() != Gdiplus::Ok)
        return false;
    int best = 0;
    // Away from the edges, where scaling and anti-aliasing blur the picture.
    for (UINT y = 4; y + 4 < first.GetHeight(); ++y) {
        for (UINT x = 4; x + 4 < first.GetWidth(); ++x) {
            Gdiplus::Color a, b;
            first.GetPixel(static_cast<INT>(x), static_cast<INT>(y), &a);
            second.GetPixel(static_cast<INT>(x), static_cast<INT>(y), &b);
            if (a.GetA() != 255)
                continue;
            // Where the other picture is see-through, the background shows instead.
            const int distance = std::max(ColourDistance(a.GetValue(), b.GetValue()), 255 - b.GetA());
            if (distance > best) {
                best = distance;
                at = {static_cast<LONG>(x), static_cast<LONG>(y)};
                colour = a.GetValue() & 0x00FFFFFF;
            }
        }
    }
    return best >= 60;
}

} // namespace ProgramTest
