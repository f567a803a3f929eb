#include "app/update/LatestVersion.h"

#include <utility>

std::wstring LatestVersion::Get() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_text;
}

void LatestVersion::Set(std::wstring text)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_text = std::move(text);
}

void LatestVersion::Clear() { Set(std::wstring()); }
