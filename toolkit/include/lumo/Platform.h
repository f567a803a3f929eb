#pragma once

// The Windows and GDI+ headers every public toolkit header needs, in the order
// GDI+ expects (it relies on windows.h and the COM object headers).
#include <gdiplus.h>
#include <objidl.h>
#include <windows.h>
