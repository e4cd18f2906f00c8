#pragma once
// The Wine benchmarks' stopwatch: milliseconds from the performance counter.

#include <windows.h>

namespace quellix::bench {

inline double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace quellix::bench
