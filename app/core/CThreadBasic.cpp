#include "app/core/CThreadBasic.h"

#include <process.h>

CThreadBasic::~CThreadBasic() { StopThread(); }

bool CThreadBasic::StartWorker(int intervalMs) { return StartThread(1, intervalMs); }

bool CThreadBasic::StartThread(int loop, int intervalMs)
{
    if (m_bRunning.load())
        return false;
    m_nInterval = intervalMs;
    m_bLoop = loop;
    m_dwStartTick = GetTickCount();
    m_hExitEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_hStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!m_hExitEvent || !m_hStopEvent) {
        if (m_hExitEvent)
            CloseHandle(m_hExitEvent);
        if (m_hStopEvent)
            CloseHandle(m_hStopEvent);
        m_hExitEvent = m_hStopEvent = nullptr;
        return false;
    }
    m_bRunning.store(1);
    const uintptr_t thread = _beginthreadex(nullptr, 0, ThreadProc, this, 0, nullptr);
    if (!thread) {
        m_bRunning.store(0);
        CloseHandle(m_hExitEvent);
        CloseHandle(m_hStopEvent);
        m_hExitEvent = m_hStopEvent = nullptr;
        return false;
    }
    // The thread is never joined through its handle: the exit event tells
    // when it has finished with this object.
    CloseHandle(reinterpret_cast<HANDLE>(thread));
    return true;
}

void CThreadBasic::StopThread()
{
    if (!m_bRunning.exchange(0))
        return;
    SetEvent(m_hStopEvent);
    // No time limit: returning earlier would let the worker run on an object
    // that its owner is about to destroy. Every pause of the worker wakes on
    // the stop event, so only a command's own blocking call can delay this.
    WaitForSingleObject(m_hExitEvent, INFINITE);
    CloseHandle(m_hExitEvent);
    CloseHandle(m_hStopEvent);
    m_hExitEvent = m_hStopEvent = nullptr;
}

bool CThreadBasic::PauseWorker(DWORD ms)
{
    if (!m_hStopEvent) {
        Sleep(ms);
        return true;
    }
    return WaitForSingleObject(m_hStopEvent, ms) == WAIT_TIMEOUT;
}

unsigned __stdcall ThreadProc(void* parameter)
{
    auto* thread = static_cast<CThreadBasic*>(parameter);
    if (thread->m_bLoop) {
        while (thread->m_bRunning.load()) {
            thread->Run();
            thread->PauseWorker(static_cast<DWORD>(thread->m_nInterval));
        }
    } else {
        thread->Run();
    }
    // Nothing of the object is touched after the event is signalled: the
    // owner may destroy it as soon as StopThread sees the event.
    const unsigned startTick = thread->m_dwStartTick;
    SetEvent(thread->m_hExitEvent);
    return startTick;
}
