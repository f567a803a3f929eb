#include "app/update/VersionCompare.h"

#include <climits>
#include <vector>

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::vector<std::wstring_view> SplitAtDots(std::wstring_view text)
{
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    for (std::size_t dot = text.find(L'.'); dot != std::wstring_view::npos; dot = text.find(L'.', start)) {
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

int ReadLeadingNumber(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // held, so no overflow however long the text
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int CompareVersions(const std::wstring& current, const std::wstring& latest)
{
    const std::vector<std::wstring_view> currentParts = SplitAtDots(current);
    const std::vector<std::wstring_view> latestParts = SplitAtDots(latest);
    if (currentParts.size() != latestParts.size())
        return 2;
    for (std::size_t i = 0; i < currentParts.size(); ++i) {
        const int have = ReadLeadingNumber(currentParts[i]);
        const int offered = ReadLeadingNumber(latestParts[i]);
        if (offered > have)
            return 1;
        if (have > offered)
            return -1;
    }
    return 0;
}
