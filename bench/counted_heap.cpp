#include "counted_heap.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace quellix::bench {

std::size_t g_live_bytes = 0;
std::size_t g_peak_bytes = 0;

}  // namespace quellix::bench

namespace {

using quellix::bench::g_live_bytes;
using quellix::bench::g_peak_bytes;

void* Counted(void* p) {
  if (p == nullptr) throw std::bad_alloc();
  g_live_bytes += malloc_usable_size(p);
  g_peak_bytes = std::max(g_peak_bytes, g_live_bytes);
  return p;
}

void Uncount(void* p) {
  if (p != nullptr) g_live_bytes -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) {
  return Counted(std::malloc(size == 0 ? 1 : size));
}
void* operator new(std::size_t size, std::align_val_t align) {
  const auto a = static_cast<std::size_t>(align);
  return Counted(std::aligned_alloc(a, (std::max<std::size_t>(size, 1) + a - 1) / a * a));
}
void operator delete(void* p) noexcept {
  Uncount(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Uncount(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  Uncount(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  Uncount(p);
}
