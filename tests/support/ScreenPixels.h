#pragma once

#include <windows.h>

#include <functional>

// Reading back what a window really shows. Under Wine on Xvfb the screen DC
// returns the composed picture, including layered windows (their
// semi-transparent pixels appear as drawn over black without a compositor).
namespace TestSupport {

// Dispatches this thread's pending messages for about `ms` milliseconds.
void PumpMessages(int ms);

// The screen pixel at (x, y) as a COLORREF (compare with RGB(r, g, b)).
COLORREF ScreenPixel(int x, int y);

// Pumps messages until `condition` holds or `timeoutMs` passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 2000);

} // namespace TestSupport
