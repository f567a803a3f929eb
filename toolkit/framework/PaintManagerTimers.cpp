// The paint manager's timers: the animation list.
#include "lumo/PaintManager.h"

#include <algorithm>

namespace Lumo {

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

} // namespace Lumo
