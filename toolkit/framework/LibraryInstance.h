#pragma once

#include <windows.h>

namespace Lumo {

// The library's own module handle, stored by DllMain when the library is
// attached; the embedded font and scroll-bar images are found through it.
HINSTANCE LibraryInstance();

} // namespace Lumo
