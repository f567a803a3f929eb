#pragma once

// One macro marks everything the library exports. __declspec is understood by
// both MinGW and MSVC, so the same headers serve either compiler.
#if defined(LUMO_BUILD)
#define LUMO_API __declspec(dllexport)
#else
#define LUMO_API __declspec(dllimport)
#endif
