#pragma once

#include <string>

// The folder of the running executable with a trailing backslash; every path
// of the program is built from it.
std::wstring GetModuleDir();
