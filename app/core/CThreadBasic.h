#pragma once

#include <windows.h>

#include <atomic>

// A worker thread that calls Run again and again (or once), pausing between
// calls. The owner starts it with StartWorker and must stop it with
// StopThread before the object that implements Run is destroyed.
class CThreadBasic {
public:
    CThreadBasic() = default;
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // One cycle of work, called on the worker thread.
    virtual void Run() = 0;

    // Starts the thread in loop mode with a 16-ms pause between cycles. Does
    // nothing (and returns false) while the thread is already running or when
    // the thread cannot be created.
    bool StartWorker(int intervalMs = 16);
    // Starts the thread with explicit settings: `loop` 0 calls Run once.
    bool StartThread(int loop, int intervalMs);
    // Stops the loop, wakes a pause in progress and waits until the thread
    // has returned from its last Run; then no Run call is in progress or
    // will start. Does nothing when the thread is not running.
    void StopThread();
    // Waits `ms` milliseconds on the worker, returning early (with false)
    // once a stop has been asked for. Used for every pause of the worker so
    // that a stop is prompt.
    bool PauseWorker(DWORD ms);
    bool IsRunning() const { return m_bRunning.load() != 0; }

protected:
    // Stops the thread if the owner has not: the owner's own members may be
    // gone by now, so owners stop it in their destructor first.
    virtual ~CThreadBasic();

    HANDLE m_hExitEvent = nullptr;
    std::atomic<int> m_bRunning{0};
    int m_bLoop = 0;
    int m_nInterval = 1;
    DWORD m_dwStartTick = 0;

private:
    friend unsigned __stdcall ThreadProc(void* parameter);
    // Signalled by StopThread; pauses wait on it.
    HANDLE m_hStopEvent = nullptr;
};

// The thread's entry procedure in the form _beginthreadex expects; the
// parameter is the CThreadBasic object. Returns the tick count taken when the
// thread was started.
unsigned __stdcall ThreadProc(void* parameter);
