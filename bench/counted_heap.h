#pragma once
// Every allocation of a benchmark program that links counted_heap.cpp is counted, so memory
// is measured as the heap holds it: bytes held now, and the highest level reached since a
// caller last set it.

#include <cstddef>

namespace quellix::bench {

extern std::size_t g_live_bytes;
extern std::size_t g_peak_bytes;

}  // namespace quellix::bench
