#pragma once

// The Windows and GDI+ headers every public toolkit header needs, in the order
// GDI+ expects (it relies on windows.h and the COM object headers).
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on
