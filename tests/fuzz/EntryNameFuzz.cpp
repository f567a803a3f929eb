// Whatever name an archive holds, the cleaned name is relative and no part of
// it can take a path above the extraction folder: no drive, no leading
// separator, no empty part, no part made only of dots and blanks (Windows
// reads "." and ".." that way, and trims trailing dots and blanks), no device
// name. Cleaning a cleaned name changes nothing. A name that made the
// cleaning loop run forever would show as a libFuzzer timeout.
#include "app/update/EntryName.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<std::wstring> Components(const std::wstring& name)
{
    std::vector<std::wstring> parts(1);
    for (wchar_t c : name) {
        if (IsEntryNameSeparator(c))
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool IsDevice(std::wstring part)
{
    part = part.substr(0, part.find(L'.'));
    while (!part.empty() && part.back() == L' ')
        part.pop_back();
    for (wchar_t& c : part)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    if (part == L"CON" || part == L"PRN" || part == L"AUX" || part == L"NUL" || part == L"CONIN$" || part == L"CONOUT$")
        return true;
    return part.size() == 4 && (part.compare(0, 3, L"COM") == 0 || part.compare(0, 3, L"LPT") == 0) && part[3] >= L'1'
        && part[3] <= L'9';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Bytes as characters: the separators, dots, colons and letters that make
    // up every escape are in this range.
    const std::wstring stored(data, data + size);
    const std::wstring safe = MakeSafeEntryName(stored);

    Check(safe.size() <= kMaxEntryNameLength);
    Check(safe.find(L'\0') == std::wstring::npos);
    Check(MakeSafeEntryName(safe) == safe);
    if (safe.empty())
        return 0;
    Check(!IsEntryNameSeparator(safe.front()));
    Check(!(safe.size() >= 2 && safe[1] == L':'));
    for (const std::wstring& part : Components(safe)) {
        Check(!part.empty());
        Check(part.find_first_not_of(L". ") != std::wstring::npos);
        Check(!IsDevice(part));
    }
    return 0;
}
