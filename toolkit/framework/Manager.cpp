#include "lumo/Manager.h"

#include <map>

namespace Lumo {

namespace {

// Created when the library loads and destroyed when it unloads.
std::map<MWindow*, int>& WindowTable()
{
    static std::map<MWindow*, int> table;
    return table;
}

bool AltF4Down() { return GetAsyncKeyState(VK_MENU) != 0 && GetAsyncKeyState(VK_F4) != 0; }

} // namespace

HINSTANCE Manager::m_hInstance = nullptr;
Gdiplus::GdiplusStartupInput Manager::m_gdiplusStartupInput;
ULONG_PTR Manager::m_gdiplusToken = 0;
float Manager::m_scale_value = 1.0f;
std::wstring Manager::m_fontname = L"Arial";
int Manager::m_fontwidth = 14;
Gdiplus::Color Manager::m_select_color(255, 189, 48, 255);
std::atomic<float> Manager::m_cpu_temp{0.0f};
std::atomic<float> Manager::m_rpm_temp{0.0f};

void Manager::SetInstance(HINSTANCE instance) { m_hInstance = instance; }
HINSTANCE Manager::GetInstance() { return m_hInstance; }

void Manager::InitGdiplus()
{
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &m_gdiplusStartupInput, nullptr);
    CoInitialize(nullptr);
    OleInitialize(nullptr);
    WindowTable().clear();
}

void Manager::UnInitGdiplus()
{
    Gdiplus::GdiplusShutdown(m_gdiplusToken);
    CoUninitialize();
    OleUninitialize();
    WindowTable().clear();
}

void Manager::SetFont(std::wstring name, int size)
{
    m_fontname = std::move(name);
    m_fontwidth = size;
}

void Manager::SetFontName(std::wstring name) { m_fontname = std::move(name); }
void Manager::SetFontWidth(int size) { m_fontwidth = size; }
std::wstring Manager::GetFontName() { return m_fontname; }
int Manager::GetFontWidth() { return m_fontwidth; }

void Manager::SetScaleValue(float scale) { m_scale_value = scale; }
float Manager::GetScaleValue() { return m_scale_value; }

int Manager::GetScaleValue(int value)
{
    const float scaled = static_cast<float>(value) * m_scale_value;
    return static_cast<int>(scaled);
}

std::wstring Manager::GetTheme() { return L"theme1\\"; }
Gdiplus::Color Manager::GetSelectColor() { return m_select_color; }

void Manager::SetCPUTemp(float value) { m_cpu_temp.store(value, std::memory_order_relaxed); }
float Manager::GetCPUTemp() { return m_cpu_temp.load(std::memory_order_relaxed); }
void Manager::SetRPMTemp(float value) { m_rpm_temp.store(value, std::memory_order_relaxed); }
float Manager::GetRPMTemp() { return m_rpm_temp.load(std::memory_order_relaxed); }

void Manager::AddWnd(MWindow* window) { WindowTable()[window] = 0; }
void Manager::DeleteWnd(MWindow* window) { WindowTable().erase(window); }

std::vector<MWindow*> Manager::GetWnds()
{
    std::vector<MWindow*> windows;
    for (const auto& entry : WindowTable())
        windows.push_back(entry.first);
    return windows;
}

int Manager::PreTranslateMessage(MSG*) { return AltF4Down() ? 1 : 0; }

void Manager::MessageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (AltF4Down())
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::wstring GetSkinPath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    const auto slash = folder.find_last_of(L"\\/");
    folder.erase(slash == std::wstring::npos ? 0 : slash + 1);
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder + L"skins\\" + Manager::GetTheme();
}

} // namespace Lumo
