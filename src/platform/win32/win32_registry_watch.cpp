// The registry watch on Win32: one thread waits on a change notification for each watched
// key and raises a flag that the product reads without a system call.
#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

constexpr DWORD kNotifyFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

HKEY RootKey(platform::RegistryRoot root) {
  return root == platform::RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// One watched key. While the key does not exist, its nearest existing parent is watched
// instead (a new key below it is a change of names there), and the key itself is looked for
// again after each signal.
class KeyNotification {
 public:
  KeyNotification(platform::RegistryRoot root, std::wstring path)
      : root_(RootKey(root)),
        path_(std::move(path)),
        event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

  HANDLE Event() const { return event_.get(); }

  // Asks to be told of the next change. Runs on the watching thread: a notification ends
  // with the thread that asked for it.
  void Arm() {
    key_.reset();
    std::wstring path = path_;
    for (;;) {
      HKEY key = nullptr;
      if (::RegOpenKeyExW(root_, path.c_str(), 0, KEY_NOTIFY, &key) == ERROR_SUCCESS) {
        key_.reset(key);
        break;
      }
      const std::size_t cut = path.find_last_of(L'\\');
      if (path.empty()) break;
      path = cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
    }
    if (key_) ::RegNotifyChangeKeyValue(key_.get(), TRUE, kNotifyFilter, event_.get(), TRUE);
  }

 private:
  HKEY root_;
  std::wstring path_;
  UniqueKernelHandle event_;
  UniqueKey key_;
};

class Win32RegistryWatch final : public platform::RegistryWatch {
 public:
  explicit Win32RegistryWatch(std::vector<platform::WatchedKey> keys)
      : stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    for (platform::WatchedKey& key : keys)
      notifications_.push_back(std::make_unique<KeyNotification>(key.root, Widen(key.path)));
    std::atomic<bool> armed{false};
    thread_ = std::thread([this, &armed] { Watch(armed); });
    // Changes made once this returns are seen: the first notifications are asked for first.
    while (!armed.load()) std::this_thread::yield();
  }
  ~Win32RegistryWatch() override {
    ::SetEvent(stop_.get());
    thread_.join();
  }
  Win32RegistryWatch(const Win32RegistryWatch&) = delete;
  Win32RegistryWatch& operator=(const Win32RegistryWatch&) = delete;

  bool TakeChange() override { return changed_.exchange(false, std::memory_order_acq_rel); }

 private:
  void Watch(std::atomic<bool>& armed) {
    std::vector<HANDLE> events{stop_.get()};
    for (auto& notification : notifications_) {
      notification->Arm();
      events.push_back(notification->Event());
    }
    armed.store(true);
    for (;;) {
      const DWORD signalled =
          ::WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE, INFINITE);
      if (signalled == WAIT_OBJECT_0 || signalled == WAIT_FAILED) return;
      const DWORD index = signalled - WAIT_OBJECT_0 - 1;
      if (index >= notifications_.size()) return;
      changed_.store(true, std::memory_order_release);
      notifications_[index]->Arm();
    }
  }

  UniqueKernelHandle stop_;
  std::vector<std::unique_ptr<KeyNotification>> notifications_;
  std::atomic<bool> changed_{true};
  std::thread thread_;
};

}  // namespace

std::unique_ptr<platform::RegistryWatch> Win32Registry::WatchKeys(std::vector<platform::WatchedKey> keys) {
  return std::make_unique<Win32RegistryWatch>(std::move(keys));
}

}  // namespace quellix::win32
