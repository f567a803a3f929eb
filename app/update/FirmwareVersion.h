#pragma once

#include <string>

// The display reports its firmware version in binary-coded decimal: its
// hexadecimal digits ("%x") read as a decimal number, so 0x0105 is 105. Digits
// a-f end the reading, so 0x001A ("1a") is 1.
int FirmwareNumberFromDisplay(int displayVersion);

// Whether the channel's firmware version is newer than the display's. A
// negative display version (no display, or no answer) is never older.
bool IsFirmwareNewer(const std::wstring& latest, int displayVersion);
