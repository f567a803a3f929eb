#pragma once

#include "lumo/CriticalSection.h"
#include "lumo/Export.h"
#include "lumo/Platform.h"

#include <string>
#include <vector>

namespace Lumo {

// Owner of periodic multimedia timers (timeSetEvent). Their callbacks run on
// the system's multimedia-timer thread and call OnMTimer there; the timer
// records are guarded, and a timer is stopped (waiting for a running
// callback) before its record goes, so a callback never outlives its owner.
class LUMO_API RKTimer {
public:
    RKTimer();
    RKTimer(const RKTimer&) = delete;
    RKTimer& operator=(const RKTimer&) = delete;

    // Virtual operations, in slot order. Both run on the timer thread.
    virtual void OnMTimer(UINT id, std::wstring name); // application timers
    virtual void OnMTimer(UINT id); // every tick
    virtual ~RKTimer(); // stops every timer of the object

    // Starts a periodic timer; returns its id, 0 when the system refuses it.
    UINT SetTimer(UINT delay, std::wstring name, int application);
    // Stop timers and return how many the object still runs.
    int KillTimer(UINT id);
    int KillTimer(std::wstring name);
    void KillTimer();
    int GetTimerIsRun(UINT id);
    int GetTimerIsRun(std::wstring name);
    int IsAppTimer(UINT id);
    std::wstring GetTimerName(UINT id); // empty for an id it does not hold

    // The object that runs timer `id`, or null.
    static RKTimer* GetFSTimer(UINT id);
    static void CALLBACK TimerCallProc(UINT id, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    static UINT m_uAccuracy; // timer resolution in ms
    static int m_bIsTmierOK; // the device capabilities were read

private:
    struct Entry {
        UINT id;
        std::wstring name;
        int application;
    };
    void StopTimers(const std::vector<UINT>& ids);

    std::vector<Entry> m_timers;
    CriticalSection m_lock;
    bool m_raisedResolution;
};

} // namespace Lumo
