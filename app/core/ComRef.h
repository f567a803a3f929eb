#pragma once

#include <unknwn.h>

// Owns one reference to a COM interface and releases it when it goes.
template<typename T> class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept
        : m_pointer(other.m_pointer)
    {
        other.m_pointer = nullptr;
    }
    ~ComRef() { Reset(); }

    // For the out-parameter of a call that hands over a new reference.
    T** Out()
    {
        Reset();
        return &m_pointer;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* Get() const { return m_pointer; }
    T* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    void Reset()
    {
        if (m_pointer) {
            m_pointer->Release();
            m_pointer = nullptr;
        }
    }

private:
    T* m_pointer = nullptr;
};
