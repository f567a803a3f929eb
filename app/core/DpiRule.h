#pragma once

// Small primary screens (narrower than 1400 or lower than 800 pixels) make
// the process DPI-aware; larger ones leave it to the system's scaling.
bool NeedsDpiAwareness(int screenWidth, int screenHeight);
