#pragma once

#include <windows.h>

namespace Lumo {

// A Win32 critical section (re-entrant on the owning thread) owned by value.
class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&m_section); }
    ~CriticalSection() { DeleteCriticalSection(&m_section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Lock() { EnterCriticalSection(&m_section); }
    void Unlock() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

// Holds a critical section for the lifetime of the guard.
class ScopedLock {
public:
    explicit ScopedLock(CriticalSection& section)
        : m_section(section)
    {
        m_section.Lock();
    }
    ~ScopedLock() { m_section.Unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    CriticalSection& m_section;
};

} // namespace Lumo
