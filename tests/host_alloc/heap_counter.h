// Counts the allocations made through operator new (every form) in the host test program,
// so a test can check that a piece of code allocates nothing. heap_counter.cpp replaces the
// global allocation functions; no other file of the host tests may replace them.
#pragma once

#include <cstdint>

namespace miruteka {

int64_t heapAllocationCount();

} // namespace miruteka
