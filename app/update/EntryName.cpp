#include "app/update/EntryName.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

bool StartsWithDrive(const std::wstring& name) { return name.size() >= 2 && name[1] == L':'; }

bool StartsWithParentStep(const std::wstring& name)
{
    return name.size() >= 3 && name[0] == L'.' && name[1] == L'.' && IsEntryNameSeparator(name[2]);
}

// Removes one unsafe beginning; false when there is none left. Every step
// shortens the name, so repeating it ends.
bool DropUnsafeBeginning(std::wstring& name)
{
    if (StartsWithDrive(name)) {
        name.erase(0, 2);
        return true;
    }
    if (!name.empty() && IsEntryNameSeparator(name[0])) {
        name.erase(0, 1);
        return true;
    }
    static const std::array<const wchar_t*, 4> kInnerParentSteps = {L"\\..\\", L"\\../", L"/../", L"/..\\"};
    for (const wchar_t* step : kInnerParentSteps) {
        const std::size_t at = name.find(step);
        if (at != std::wstring::npos) {
            name.erase(0, at + 4);
            return true;
        }
    }
    if (StartsWithParentStep(name)) {
        name.erase(0, 3);
        return true;
    }
    return false;
}

bool IsOnlyDotsAndBlanks(std::wstring_view component)
{
    return component.find_first_not_of(L". ") == std::wstring_view::npos;
}

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

// Windows opens the device, not a file, for these names in any folder and
// with any extension.
bool NamesDosDevice(std::wstring_view component)
{
    std::wstring stem;
    for (wchar_t c : component.substr(0, component.find(L'.')))
        stem += Upper(c);
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    static const std::array<const wchar_t*, 6> kDevices = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices)
        if (stem == device)
            return true;
    return stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) && stem[3] >= L'1'
        && stem[3] <= L'9';
}

std::vector<std::wstring_view> SplitComponents(std::wstring_view name)
{
    std::vector<std::wstring_view> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || IsEntryNameSeparator(name[i])) {
            components.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

} // namespace

bool IsEntryNameSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring MakeSafeEntryName(std::wstring_view name)
{
    // A stored name ends at its first zero character, as the file system
    // would read it; what follows must not hide behind it.
    std::wstring rest(name.substr(0, std::min(name.find(L'\0'), kMaxEntryNameLength)));
    while (DropUnsafeBeginning(rest)) { }
    std::wstring safe;
    for (std::wstring_view component : SplitComponents(rest)) {
        if (IsOnlyDotsAndBlanks(component))
            continue;
        if (!safe.empty())
            safe += L'\\';
        if (NamesDosDevice(component))
            safe += L'_';
        safe += component;
    }
    return safe;
}
