#pragma once
// One move-only owner for every kind of Win32 handle, parameterised by how the handle is
// released and what its empty value is. GDI objects and device contexts are counted while an
// owner holds them.

#include <windows.h>
#include <commctrl.h>
// after windows.h, whose types it uses
#include <ddeml.h>

#include <atomic>
#include <utility>

namespace quellix::win32 {

// The GDI objects and device contexts the program holds through UniqueHandle at this moment.
// GetGuiResources counts nothing under Wine, so a leak shows here instead. One count for the
// process, read for diagnostics only.
class GdiObjectCount {
 public:
  static long Live() { return live_.load(std::memory_order_relaxed); }
  static void Add() { live_.fetch_add(1, std::memory_order_relaxed); }
  static void Remove() { live_.fetch_sub(1, std::memory_order_relaxed); }

 private:
  static inline std::atomic<long> live_{0};
};

// Traits that say `static constexpr bool kCounted = true` are counted by GdiObjectCount.
template <typename Traits>
concept CountedTraits = requires {
  requires Traits::kCounted;
};

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) { Count(+1); }
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      h_ = std::exchange(other.h_, Traits::Invalid());
    }
    return *this;
  }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  // Gives the handle up to a new owner (SetWindowRgn takes a region so).
  Handle release() {
    Count(-1);
    return std::exchange(h_, Traits::Invalid());
  }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Release(h_);
    Count(-1);
    h_ = h;
    Count(+1);
  }

 private:
  void Count(int change) const {
    if constexpr (CountedTraits<Traits>) {
      if (h_ == Traits::Invalid()) return;
      if (change > 0) {
        GdiObjectCount::Add();
      } else {
        GdiObjectCount::Remove();
      }
    }
  }

  Handle h_ = Traits::Invalid();
};

struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Release(Handle h) { ::CloseHandle(h); }
};
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Release(Handle h) { ::FindClose(h); }
};
struct KernelTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::CloseHandle(h); }
};
struct KeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::RegCloseKey(h); }
};
struct WindowTraits {
  using Handle = HWND;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DestroyWindow(h); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DestroyMenu(h); }  // with the submenus inserted into it
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::ImageList_Destroy(h); }
};

// DDEML: the client instance, and what belongs to it. A string handle is freed through its
// instance, so its owner keeps both.
struct DdeInstanceTraits {
  using Handle = DWORD;
  static Handle Invalid() { return 0; }
  static void Release(Handle h) { ::DdeUninitialize(h); }
};
struct DdeString {
  DWORD instance = 0;
  HSZ handle = nullptr;
  bool operator==(const DdeString&) const = default;
};
struct DdeStringTraits {
  using Handle = DdeString;
  static Handle Invalid() { return {}; }
  static void Release(Handle h) { ::DdeFreeStringHandle(h.instance, h.handle); }
};
struct DdeConversationTraits {
  using Handle = HCONV;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DdeDisconnect(h); }
};
struct DdeDataTraits {
  using Handle = HDDEDATA;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DdeFreeDataHandle(h); }
};

struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DestroyIcon(h); }
};

// GDI: brushes, pens, fonts, bitmaps and regions, memory device contexts, and a window's
// device context, which goes back to its window.
template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static constexpr bool kCounted = true;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static constexpr bool kCounted = true;
  static Handle Invalid() { return nullptr; }
  static void Release(Handle h) { ::DeleteDC(h); }
};
struct WindowDc {
  HWND window = nullptr;
  HDC dc = nullptr;
  bool operator==(const WindowDc&) const = default;
};
struct WindowDcTraits {
  using Handle = WindowDc;
  static constexpr bool kCounted = true;
  static Handle Invalid() { return {}; }
  static void Release(Handle h) { ::ReleaseDC(h.window, h.dc); }
};

using UniqueFile = UniqueHandle<FileTraits>;          // CreateFile results
using UniqueFind = UniqueHandle<FindTraits>;          // FindFirstFile results
using UniqueKernelHandle = UniqueHandle<KernelTraits>;  // processes, threads, pipes, mutexes
using UniqueKey = UniqueHandle<KeyTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;  // icons loaded unshared

using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;  // CreateCompatibleDC
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;  // GetDC, given back to its window

// A window's device context (GetDC), empty when the window system refuses one.
inline UniqueWindowDc WindowDcOf(HWND window) {
  HDC dc = ::GetDC(window);
  return dc != nullptr ? UniqueWindowDc(WindowDc{window, dc}) : UniqueWindowDc();
}

// Selects a GDI object into a device context for the guard's life, then puts back the object
// that was selected before. Declare it after the object's owner, so that it goes first.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Declare a DDE instance before the strings, conversations and data of it: they are released first.
using UniqueDdeInstance = UniqueHandle<DdeInstanceTraits>;
using UniqueDdeString = UniqueHandle<DdeStringTraits>;
using UniqueDdeConversation = UniqueHandle<DdeConversationTraits>;
using UniqueDdeData = UniqueHandle<DdeDataTraits>;

}  // namespace quellix::win32
