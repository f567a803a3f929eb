#pragma once

#include <string>
#include <string_view>

// The longest entry name taken from an archive, in characters.
constexpr std::size_t kMaxEntryNameLength = 259;

// Whether the character separates folders in an entry name (both do).
bool IsEntryNameSeparator(wchar_t c);

// Makes an entry name from an archive safe to join to the extraction folder.
// The name ends at its first zero character and is cut to
// kMaxEntryNameLength characters.
// Drive letters, leading separators and parent-folder steps are cut away
// repeatedly until none is left, so "C:\x\y.txt" becomes "x\y.txt" and
// "a\..\b" becomes "b". The remaining components are then joined with
// backslashes, leaving out empty ones and any made only of dots and blanks
// (which Windows would read as "." or ".."), and a component naming a DOS
// device (CON, NUL, COM1, ...) gets a leading "_" so that it stays a file.
// The result is relative, never climbs out of the folder, and may be empty.
std::wstring MakeSafeEntryName(std::wstring_view name);
