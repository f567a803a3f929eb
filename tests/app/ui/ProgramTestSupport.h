#pragma once

// Helpers for tests that run the installed program: its folder with the
// simulated hardware in place, its settings, real mouse input and screen
// captures.
#include <windows.h>

#include <string>
#include <vector>

namespace ProgramTest {

// The installed folders (dist/Thermadex and dist/tools), ending in a backslash.
std::wstring DistProgramDir();
std::wstring DistToolsDir();

// A copy of the installed program in a new temporary folder whose name holds a
// blank, with the display simulator as its hidapi.dll and the sensor simulator
// in both companion folders. Returns the folder (ending in a backslash).
std::wstring MakeProgramFolder();
std::wstring CompanionPath(const std::wstring& programFolder);

// HKCU\SOFTWARE\Orvane.
void DeleteSettings();
void WriteSettingText(const wchar_t* name, const wchar_t* text);
// The value as stored: its type and its text (REG_SZ), or type 0 when missing.
struct StoredSetting {
    DWORD type = 0;
    std::wstring text;
};
StoredSetting ReadStoredSetting(const wchar_t* name);

// Top-level windows that carry the instance property "Orvane".
std::vector<HWND> InstanceWindows();
HWND WaitForInstanceWindow(DWORD timeoutMs);

// Real mouse input through SendInput, in screen coordinates.
void MoveMouse(int x, int y);
void Click(int x, int y);

// The screen's pixels inside `rect` as 0x00RRGGBB, row by row.
struct ScreenImage {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ScreenImage CaptureScreen(const RECT& rect);
// Saves a capture as PNG when THERMADEX_SCREENSHOT_DIR names a folder.
void SaveScreenshot(const ScreenImage& image, const std::wstring& name);

// A pixel of a skin image, as 0xAARRGGBB (0 when it cannot be read).
DWORD SkinPixel(const std::wstring& programFolder, const std::wstring& image, int x, int y);

} // namespace ProgramTest

namespace ProgramTest {

// Largest difference of the red, green and blue bytes of two 0x??RRGGBB colours.
int ColourDistance(DWORD a, DWORD b);

// A pixel where the skin image `wanted` is opaque and differs clearly from
// `other` (an image of the same size, or see-through there): a telling place
// to tell the two apart on the screen. False when there is none.
bool TellingPixel(
    const std::wstring& programFolder, const std::wstring& wanted, const std::wstring& other, POINT& at, DWORD& colour);

} // namespace ProgramTest
