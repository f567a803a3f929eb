#include "app/update/VersionText.h"

namespace {

bool IsSurroundingSpace(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x00A0 || c == 0xFEFF || c == 0x2028 || c == 0x2029;
}

bool IsForbiddenInFileName(wchar_t c)
{
    if (c < 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case L'\\':
    case L'/':
    case L':':
    case L'*':
    case L'?':
    case L'"':
    case L'<':
    case L'>':
    case L'|':
        return true;
    default:
        return false;
    }
}

} // namespace

std::wstring TrimVersionText(std::wstring_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSurroundingSpace(text[begin]))
        ++begin;
    while (end > begin && IsSurroundingSpace(text[end - 1]))
        --end;
    return std::wstring(text.substr(begin, end - begin));
}

bool IsUsableVersionText(std::wstring_view trimmed)
{
    if (trimmed.empty() || trimmed.size() > kMaxVersionTextLength)
        return false;
    for (wchar_t c : trimmed)
        if (IsForbiddenInFileName(c))
            return false;
    return true;
}

std::optional<std::wstring> AcceptVersionText(std::wstring_view fetched)
{
    std::wstring trimmed = TrimVersionText(fetched);
    if (!IsUsableVersionText(trimmed))
        return std::nullopt;
    return trimmed;
}
