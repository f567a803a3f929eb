#pragma once

#include <string>
#include <string_view>

// Reads a number the way the C runtime's _wtoi does: leading white space is
// skipped, then an optional sign and the digits up to the first other
// character; 0 when there are none. Values beyond int are held at its limits.
int ReadLeadingNumber(std::wstring_view text);

// Compares two dotted version texts part by part as numbers: 1 when latest is
// newer, -1 when it is older, 0 when both are equal and 2 when the texts have
// different numbers of parts (which callers treat as newer).
int CompareVersions(const std::wstring& current, const std::wstring& latest);
