#include "app/core/SettingsStore.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>

namespace {

constexpr wchar_t kProductName[] = L"Orvane";
// The query is given 255 bytes of a 512-byte zeroed buffer, so a text is
// always terminated and one too long for the 255 bytes reads as 0.
constexpr DWORD kQueryBytes = 255;
constexpr std::size_t kBufferBytes = 512;

std::wstring SettingsKeyPath()
{
    wchar_t path[64] = {};
    std::swprintf(path, 64, L"SOFTWARE\\%ls", kProductName);
    return path;
}

} // namespace

int ReadSetting(const std::wstring& name)
{
    const std::wstring keyPath = SettingsKeyPath();
    HKEY key = nullptr;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (opened == ERROR_FILE_NOT_FOUND) {
        HKEY created = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                nullptr, &created, nullptr)
            == ERROR_SUCCESS)
            RegCloseKey(created);
        return 0;
    }
    if (opened != ERROR_SUCCESS)
        return 0;
    wchar_t buffer[kBufferBytes / sizeof(wchar_t)] = {};
    DWORD size = kQueryBytes;
    DWORD type = 0;
    const LSTATUS queried = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    // A text that did not fit may have left part of itself behind; it reads as 0.
    if (queried == ERROR_MORE_DATA)
        return 0;
    return _wtoi(buffer);
}

void WriteSetting(const std::wstring& name, const std::wstring& text)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKeyPath().c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

ProgramSettings ReadProgramSettings()
{
    ProgramSettings settings;
    settings.ledSwitch = ReadSetting(L"led_switch");
    if (settings.ledSwitch == 0) {
        WriteSetting(L"led_switch", L"1");
        settings.ledSwitch = 1;
    }
    settings.deviceType = ReadSetting(L"device_type");
    settings.tempeType = ReadSetting(L"tempe_type");
    return settings;
}
