#pragma once

#include <cstddef>
#include <list>
#include <mutex>

// The worker's first-in, first-out list of command codes. The window thread
// appends and the worker takes from the front; one lock guards every list
// operation and is never held while a command runs. Each waiting code costs
// one list node; equal codes are not merged.
class CommandList {
public:
    CommandList() = default;
    CommandList(const CommandList&) = delete;
    CommandList& operator=(const CommandList&) = delete;

    // Appends one code at the end.
    void QueueCommand(int code);
    // Removes the first code into `code`; false when the list is empty. The
    // node is freed before the caller starts the work.
    bool TakeCommand(int& code);
    std::size_t Size() const;
    // Frees every waiting code without running it.
    void Clear();

private:
    mutable std::mutex m_lock;
    std::list<int> m_codes;
};
