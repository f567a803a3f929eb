#include "app/update/InternetHandle.h"

#include <utility>

InternetHandle::~InternetHandle()
{
    if (m_handle)
        InternetCloseHandle(m_handle);
}

InternetHandle::InternetHandle(InternetHandle&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr))
{
}

InternetHandle& InternetHandle::operator=(InternetHandle&& other) noexcept
{
    if (this != &other) {
        if (m_handle)
            InternetCloseHandle(m_handle);
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}
