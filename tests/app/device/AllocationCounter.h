#pragma once

#include <cstddef>

// Counts the test program's calls of operator new (all threads), so that a
// test can show that a piece of code allocates nothing.
std::size_t AllocationCount();
