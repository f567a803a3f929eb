#pragma once

#include <string>

// The program's choices, kept as small decimal texts (REG_SZ) under
// HKEY_CURRENT_USER\SOFTWARE\Orvane. The key is opened and closed on every call.

// The value as an integer (leading blanks and a sign allowed, digits up to the
// first other character), 0 when missing or unreadable. Creates the key when
// it does not exist yet.
int ReadSetting(const std::wstring& name);
// Stores the text as REG_SZ; does nothing when the key cannot be opened.
void WriteSetting(const std::wstring& name, const std::wstring& text);

// The three values as the main window holds them.
struct ProgramSettings {
    int ledSwitch = 1;
    int deviceType = 0;
    int tempeType = 0;
};

// Reads "led_switch" (writing "1" and taking 1 when it reads 0), then
// "device_type" and "tempe_type", in this order.
ProgramSettings ReadProgramSettings();
