#pragma once

#include <mutex>
#include <string>

// The latest version text of one channel. The worker writes it during a check
// while the window thread may be reading it for a prompt, so every access
// takes the lock and hands out a copy.
class LatestVersion {
public:
    std::wstring Get() const;
    void Set(std::wstring text);
    void Clear();

private:
    mutable std::mutex m_lock;
    std::wstring m_text;
};
