#include "lumo/RKTimer.h"

#include <mmsystem.h>

#include <algorithm>
#include <mutex>

namespace Lumo {

UINT RKTimer::m_uAccuracy = 1;
int RKTimer::m_bIsTmierOK = 0;

namespace {

// Every RKTimer of the process, for GetFSTimer.
struct Registry {
    CriticalSection lock;
    std::vector<RKTimer*> owners;
};

Registry& Owners()
{
    static Registry registry;
    return registry;
}

void ReadResolutionOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TIMECAPS caps{};
        if (timeGetDevCaps(&caps, sizeof(caps)) == TIMERR_NOERROR) {
            UINT resolution = std::max<UINT>(caps.wPeriodMin, 1);
            if (caps.wPeriodMax != 0)
                resolution = std::min(resolution, caps.wPeriodMax);
            RKTimer::m_uAccuracy = resolution;
            RKTimer::m_bIsTmierOK = 1;
        }
    });
}

} // namespace

RKTimer::RKTimer()
    : m_raisedResolution(false)
{
    Registry& registry = Owners();
    ScopedLock lock(registry.lock);
    registry.owners.push_back(this);
}

RKTimer::~RKTimer()
{
    KillTimer();
    if (m_raisedResolution)
        timeEndPeriod(m_uAccuracy);
    Registry& registry = Owners();
    ScopedLock lock(registry.lock);
    registry.owners.erase(std::remove(registry.owners.begin(), registry.owners.end(), this), registry.owners.end());
}

void RKTimer::OnMTimer(UINT, std::wstring) { }
void RKTimer::OnMTimer(UINT) { }

UINT RKTimer::SetTimer(UINT delay, std::wstring name, int application)
{
    ReadResolutionOnce();
    // Each owner raises the resolution once and lowers it again when it goes.
    if (!m_raisedResolution && m_bIsTmierOK)
        m_raisedResolution = timeBeginPeriod(m_uAccuracy) == TIMERR_NOERROR;
    ScopedLock lock(m_lock);
    const UINT id = timeSetEvent(delay, m_uAccuracy, &RKTimer::TimerCallProc, reinterpret_cast<DWORD_PTR>(this),
        TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (id != 0)
        m_timers.push_back(Entry{id, std::move(name), application});
    return id;
}

void RKTimer::StopTimers(const std::vector<UINT>& ids)
{
    // Not under the lock: a running callback may be waiting for it, and
    // timeKillEvent waits for that callback to end.
    for (UINT id : ids)
        timeKillEvent(id);
    ScopedLock lock(m_lock);
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                       [&](const Entry& e) { return std::find(ids.begin(), ids.end(), e.id) != ids.end(); }),
        m_timers.end());
}

int RKTimer::KillTimer(UINT id)
{
    std::vector<UINT> ids;
    {
        ScopedLock lock(m_lock);
        for (const Entry& e : m_timers)
            if (e.id == id)
                ids.push_back(e.id);
    }
    StopTimers(ids);
    ScopedLock lock(m_lock);
    return static_cast<int>(m_timers.size());
}

int RKTimer::KillTimer(std::wstring name)
{
    std::vector<UINT> ids;
    {
        ScopedLock lock(m_lock);
        for (const Entry& e : m_timers)
            if (e.name == name)
                ids.push_back(e.id);
    }
    StopTimers(ids);
    ScopedLock lock(m_lock);
    return static_cast<int>(m_timers.size());
}

void RKTimer::KillTimer()
{
    std::vector<UINT> ids;
    {
        ScopedLock lock(m_lock);
        for (const Entry& e : m_timers)
            ids.push_back(e.id);
    }
    StopTimers(ids);
}

int RKTimer::GetTimerIsRun(UINT id)
{
    ScopedLock lock(m_lock);
    return std::any_of(m_timers.begin(), m_timers.end(), [&](const Entry& e) { return e.id == id; }) ? 1 : 0;
}

int RKTimer::GetTimerIsRun(std::wstring name)
{
    ScopedLock lock(m_lock);
    return std::any_of(m_timers.begin(), m_timers.end(), [&](const Entry& e) { return e.name == name; }) ? 1 : 0;
}

int RKTimer::IsAppTimer(UINT id)
{
    ScopedLock lock(m_lock);
    for (const Entry& e : m_timers)
        if (e.id == id)
            return e.application;
    return 0;
}

std::wstring RKTimer::GetTimerName(UINT id)
{
    ScopedLock lock(m_lock);
    for (const Entry& e : m_timers)
        if (e.id == id)
            return e.name;
    return std::wstring();
}

RKTimer* RKTimer::GetFSTimer(UINT id)
{
    Registry& registry = Owners();
    ScopedLock lock(registry.lock);
    for (RKTimer* owner : registry.owners) {
        if (owner->GetTimerIsRun(id))
            return owner;
    }
    return nullptr;
}

void CALLBACK RKTimer::TimerCallProc(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    auto* owner = reinterpret_cast<RKTimer*>(user);
    if (owner == nullptr)
        return;
    owner->OnMTimer(id);
    int application = 0;
    std::wstring name;
    {
        ScopedLock lock(owner->m_lock);
        for (const Entry& e : owner->m_timers) {
            if (e.id == id) {
                application = e.application;
                name = e.name;
                break;
            }
        }
    }
    if (application)
        owner->OnMTimer(id, name);
}

} // namespace Lumo
