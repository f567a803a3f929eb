// Timers of the paint manager: window timers of controls, the overlay and
// caret timers, and the multimedia animation timer.
#include "lumo/PaintManager.h"

#include "framework/PaintMath.h"
#include "lumo/MControl.h"

#include <algorithm>

namespace Lumo {

namespace {

constexpr UINT kCaretTimer = 6553;
constexpr UINT kMessageHoldTimer = 66;
constexpr UINT kMessageFadeTimer = 88;
constexpr UINT kProgressTimer = 99;

UINT AnimationTickMessage()
{
    static const UINT message = RegisterWindowMessageW(L"Lumo.PaintManager.AnimationTick");
    return message;
}

} // namespace

int PaintManager::SetTimer(MControl* control, UINT key, UINT elapse)
{
    ScopedLock lock(m_timerLock);
    for (ControlTimer& timer : m_controlTimers) {
        if (timer.hwnd == m_hPaintWnd && timer.control == control && timer.key == key) {
            if (!timer.stopped)
                return 0;
            if (!IsLiveWindow() || ::SetTimer(m_hPaintWnd, timer.id, elapse, nullptr) == 0)
                return 0;
            timer.stopped = 0;
            return 1;
        }
    }
    const UINT id = PaintMath::NextControlTimerId(m_nTimerCounter);
    m_nTimerCounter = id;
    if (!IsLiveWindow() || ::SetTimer(m_hPaintWnd, id, elapse, nullptr) == 0)
        return 0;
    m_controlTimers.push_back(ControlTimer{m_hPaintWnd, control, key, id, 0});
    return 1;
}

int PaintManager::KillTimer(MControl* control, UINT key)
{
    ScopedLock lock(m_timerLock);
    for (ControlTimer& timer : m_controlTimers) {
        if (timer.hwnd == m_hPaintWnd && timer.control == control && timer.key == key && !timer.stopped) {
            if (IsLiveWindow())
                ::KillTimer(m_hPaintWnd, timer.id);
            timer.stopped = 1;
            return 1;
        }
    }
    return 0;
}

void PaintManager::KillTimer(MControl* control)
{
    ScopedLock lock(m_timerLock);
    for (const ControlTimer& timer : m_controlTimers) {
        if (timer.control == control && !timer.stopped && timer.hwnd != nullptr && ::IsWindow(timer.hwnd))
            ::KillTimer(timer.hwnd, timer.id);
    }
    m_controlTimers.erase(std::remove_if(m_controlTimers.begin(), m_controlTimers.end(),
                              [&](const ControlTimer& timer) { return timer.control == control; }),
        m_controlTimers.end());
}

void PaintManager::ClearTimers()
{
    ScopedLock lock(m_timerLock);
    for (const ControlTimer& timer : m_controlTimers) {
        if (!timer.stopped && timer.hwnd != nullptr && ::IsWindow(timer.hwnd))
            ::KillTimer(timer.hwnd, timer.id);
    }
    m_controlTimers.clear();
}

void PaintManager::OnTimer(UINT id)
{
    switch (id) {
    case kCaretTimer:
        InvalidateArea(m_rcCaret);
        m_bCaretPhase = !m_bCaretPhase;
        break;
    case kMessageHoldTimer:
    case kMessageFadeTimer:
    case kProgressTimer:
        OnMessageTimer(id);
        break;
    default:
        DispatchControlTimers(id);
        break;
    }
}

void PaintManager::DispatchControlTimers(UINT id)
{
    ScopedLock lock(m_timerLock);
    std::vector<MControl*> due;
    for (const ControlTimer& timer : m_controlTimers) {
        if (timer.hwnd == m_hPaintWnd && timer.id == id && !timer.stopped)
            due.push_back(timer.control);
    }
    for (MControl* control : due) {
        // An earlier control's tick may have stopped or deleted this one.
        const bool stillDue = std::any_of(m_controlTimers.begin(), m_controlTimers.end(),
            [&](const ControlTimer& timer) { return timer.control == control && timer.id == id && !timer.stopped; });
        if (stillDue)
            control->OnTimer();
    }
}

UINT PaintManager::SetMTimer(UINT delay)
{
    const UINT previous = m_nAnimationTimerId;
    if (previous != 0)
        RKTimer::KillTimer(previous);
    const UINT id = RKTimer::SetTimer(delay, L"", 0);
    m_nAnimationTimerId = id;
    return id;
}

void PaintManager::KillMTimer(UINT id)
{
    RKTimer::KillTimer(id);
    if (id == m_nAnimationTimerId)
        m_nAnimationTimerId = 0;
}

void PaintManager::KillMTimer()
{
    RKTimer::KillTimer();
    m_nAnimationTimerId = 0;
}

int PaintManager::AddMTimer(MControl* control)
{
    ScopedLock lock(m_animationLock);
    m_animated.push_back(control);
    return 1;
}

int PaintManager::DeleteFSTimer(MControl* control)
{
    ScopedLock lock(m_animationLock);
    const auto found = std::find(m_animated.begin(), m_animated.end(), control);
    if (found == m_animated.end())
        return 0;
    m_animated.erase(found);
    return 1;
}

void PaintManager::OnMTimer(UINT id)
{
    // Timer thread: the controls are not touched here. One tick at a time is
    // posted; the window thread runs the controls' OnTimer when it arrives.
    if (id == 0 || id != m_nAnimationTimerId.load())
        return;
    HWND window = m_hTickWnd.load();
    if (window == nullptr || m_bTickPending.exchange(true))
        return;
    if (!::PostMessageW(window, AnimationTickMessage(), id, 0))
        m_bTickPending = false;
}

void PaintManager::DispatchAnimationTick()
{
    m_bTickPending = false;
    ScopedLock lock(m_animationLock);
    // By index: a control may add or remove animated controls while it runs.
    for (size_t i = 0; i < m_animated.size(); ++i)
        m_animated[i]->OnTimer();
}

} // namespace Lumo
