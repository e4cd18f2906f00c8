// What a large block list costs in memory when the program starts with it: the main window's
// start-up on the simulated platform (figures, list file, matcher, view1's rows) with a list
// file of random entries of the given size in MB (10 unless told), and figures for every
// hundredth entry. Reported per byte of list file: the heap the start-up keeps, the highest
// heap level it reached, and the growth of the process's resident memory.
// Usage: quellix_memory_bench [MB]

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <random>
#include <string>

#include "controls/hosted_button.h"
#include "engine/process_state.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_ui.h"
#include "ui/main_window.h"

// Every allocation of the program is counted, so the heap is measured as the program holds it.
namespace {

std::size_t g_live_bytes = 0;
std::size_t g_peak_bytes = 0;

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

namespace {

using namespace quellix;

constexpr char kAppFolder[] = "C:\\Quellix";

// The process's resident memory in bytes.
std::size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Entries of 8 to 40 random letters, digits and blanks, each ended by CR LF, until the file
// holds `bytes`; every hundredth entry gets figures.
struct ListFiles {
  std::string list, figures;
  std::size_t entries = 0;
};

ListFiles RandomListFiles(std::size_t bytes) {
  static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -";
  std::mt19937 rng(2026);
  std::uniform_int_distribution<std::size_t> length(8, 40);
  std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 2);
  ListFiles files;
  files.figures = "Quellix burn figures 1\r\n";
  std::string entry;
  while (files.list.size() < bytes) {
    entry.resize(length(rng));
    for (char& c : entry) c = alphabet[pick(rng)];
    if (entry.front() == ' ') entry.front() = 'x';  // unquoted, as most lists are
    files.list += entry + "\r\n";
    if (files.entries++ % 100 == 0) files.figures += "3\t12/8/2026 10:00:00\t" + entry + "\r\n";
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10;
  sim::SimPlatform sim;
  engine::ProcessState state;
  std::size_t list_bytes = 0, entries = 0;
  {
    ListFiles files = RandomListFiles(megabytes << 20);
    list_bytes = files.list.size();
    entries = files.entries;
    sim.files.Put(std::string(kAppFolder) + "\\popcfg.apo", std::move(files.list));
    sim.files.Put(std::string(kAppFolder) + "\\popcfg.hits", std::move(files.figures));
  }
  sim::SimUi ui{controls::DrawnProductButtons()};
  sim::SimShell shell;
  malloc_trim(0);
  const std::size_t heap_before = g_live_bytes, resident_before = ResidentBytes();
  g_peak_bytes = heap_before;

  const auto start = std::chrono::steady_clock::now();
  auto main_window = std::make_unique<ui::MainWindow>(
      tray::TrayContext{sim.Services(), ui, shell, state, kAppFolder, kAppFolder});
  main_window->Start();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const std::size_t heap_after = g_live_bytes, peak = g_peak_bytes, resident_after = ResidentBytes();
  const std::size_t rows = ui.ListCount(main_window->Control("view1"));
  const double n = static_cast<double>(list_bytes);
  std::printf("list file          %.1f MB, %zu entries (%zu rows shown, %zu entries active)\n", n / (1 << 20),
              entries, rows, state.block_entries.Count());
  std::printf("start-up           %.2f s\n", seconds);
  std::printf("heap kept          %.1f MB = %.2f bytes per list byte\n", (heap_after - heap_before) / 1048576.0,
              (heap_after - heap_before) / n);
  std::printf("heap peak          %.1f MB = %.2f bytes per list byte\n", (peak - heap_before) / 1048576.0,
              (peak - heap_before) / n);
  std::printf("resident growth    %.1f MB = %.2f bytes per list byte\n",
              (resident_after - resident_before) / 1048576.0, (resident_after - resident_before) / n);
  return rows == entries && state.block_entries.Count() == entries ? 0 : 1;
}
