#include "app/core/DpiRule.h"

bool NeedsDpiAwareness(int screenWidth, int screenHeight) { return screenWidth < 1400 || screenHeight < 800; }
