#pragma once
// One move-only owner for every kind of Win32 handle, parameterised by how the handle is
// released and what its empty value is.

#include <windows.h>
#include <commctrl.h>
// after windows.h, whose types it uses
#include <ddeml.h>

#include <utility>

namespace quellix::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
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
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    if (h_ != Traits::Invalid()) Traits::Release(h_);
    h_ = h;
  }

 private:
  Handle h_ = Traits::Invalid();
};

struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Release(Handle h) { ::CloseHandle(h); }
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

using UniqueFile = UniqueHandle<FileTraits>;          // CreateFile results
using UniqueKernelHandle = UniqueHandle<KernelTraits>;  // processes, threads, pipes, mutexes
using UniqueKey = UniqueHandle<KeyTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;

// Declare a DDE instance before the strings, conversations and data of it: they are released first.
using UniqueDdeInstance = UniqueHandle<DdeInstanceTraits>;
using UniqueDdeString = UniqueHandle<DdeStringTraits>;
using UniqueDdeConversation = UniqueHandle<DdeConversationTraits>;
using UniqueDdeData = UniqueHandle<DdeDataTraits>;

}  // namespace quellix::win32
