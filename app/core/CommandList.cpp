#include "app/core/CommandList.h"

void CommandList::QueueCommand(int code)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_codes.push_back(code);
}

bool CommandList::TakeCommand(int& code)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_codes.empty())
        return false;
    code = m_codes.front();
    m_codes.pop_front();
    return true;
}

std::size_t CommandList::Size() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_codes.size();
}

void CommandList::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_codes.clear();
}
