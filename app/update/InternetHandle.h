#pragma once

#include <windows.h>
#include <wininet.h>

// Owns one WinINet handle and closes it with InternetCloseHandle.
class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET handle)
        : m_handle(handle)
    {
    }
    ~InternetHandle();

    InternetHandle(InternetHandle&& other) noexcept;
    InternetHandle& operator=(InternetHandle&& other) noexcept;
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    HINTERNET m_handle = nullptr;
};
