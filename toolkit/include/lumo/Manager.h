#pragma once

#include "lumo/Export.h"
#include "lumo/Platform.h"

#include <atomic>
#include <string>
#include <vector>

namespace Lumo {

class MWindow;

// Process-wide toolkit state. Only statics; never instantiated.
class LUMO_API Manager {
public:
    Manager() = delete;
    Manager& operator=(const Manager&) { return *this; }
    Manager& operator=(Manager&&) { return *this; }

    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();

    static void InitGdiplus();
    static void UnInitGdiplus();

    static void SetFont(std::wstring name, int size);
    static void SetFontName(std::wstring name);
    static void SetFontWidth(int size);
    static std::wstring GetFontName();
    static int GetFontWidth();

    static void SetScaleValue(float scale);
    static float GetScaleValue();
    // value × scale in single precision, truncated toward zero.
    static int GetScaleValue(int value);

    static std::wstring GetTheme();
    static Gdiplus::Color GetSelectColor();

    // Written by the program's worker thread, read by the painter: single
    // 32-bit stores, no lock.
    static void SetCPUTemp(float value);
    static float GetCPUTemp();
    static void SetRPMTemp(float value);
    static float GetRPMTemp();

    static void AddWnd(MWindow* window);
    static void DeleteWnd(MWindow* window);
    // The registered windows, in table order (lets a program enumerate them).
    static std::vector<MWindow*> GetWnds();

    // 1 while Alt and F4 are both down; the message itself is not examined.
    static int PreTranslateMessage(MSG* msg);
    // GetMessage loop of the calling thread that drops messages while Alt+F4 is down.
    static void MessageLoop();

    static HINSTANCE m_hInstance;
    static Gdiplus::GdiplusStartupInput m_gdiplusStartupInput;
    static ULONG_PTR m_gdiplusToken;
    static float m_scale_value;
    static std::wstring m_fontname;
    static int m_fontwidth;
    static Gdiplus::Color m_select_color;
    static std::atomic<float> m_cpu_temp;
    static std::atomic<float> m_rpm_temp;
};

// The skin folder: the running program's folder, then "skins\" and the theme,
// always ending in a backslash.
LUMO_API std::wstring GetSkinPath();

} // namespace Lumo
