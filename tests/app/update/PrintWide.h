#pragma once

#include <cstdio>
#include <ostream>

// Prints a wide test text in quotes with everything outside printable ASCII
// escaped, so that test names stay readable and stable.
inline void PrintWide(const wchar_t* text, std::ostream* os)
{
    *os << '"';
    for (const wchar_t* p = text; *p; ++p) {
        const auto c = static_cast<unsigned long>(*p);
        if (c == '\n') {
            *os << "\\n";
        } else if (c == '\r') {
            *os << "\\r";
        } else if (c >= 0x20 && c < 0x7F) {
            *os << static_cast<char>(c);
        } else {
            char code[16];
            std::snprintf(code, sizeof code, "\\x%lX", c);
            *os << code;
        }
    }
    *os << '"';
}
