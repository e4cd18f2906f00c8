#pragma once
// The platform services on Win32: each call is one Windows call or a short sequence of them.

#include "platform/platform.h"

namespace quellix::win32 {

class Win32Desktop final : public platform::Desktop {
 public:
  platform::WindowId FirstWindow(platform::WindowId anchor) override;
  platform::WindowId NextWindow(platform::WindowId window) override;
  std::string ClassName(platform::WindowId window, std::size_t capacity) override;
  std::string Text(platform::WindowId window, std::size_t count) override;
  std::uint32_t Style(platform::WindowId window) override;
  void PostClose(platform::WindowId window) override;
  std::optional<std::vector<platform::ChildControl>> ChildControls(platform::WindowId window,
                                                                   unsigned timeout_ms) override;
  void PostButtonClick(platform::WindowId window, const platform::ChildControl& button) override;
  bool RunsWithHigherRights(std::uint32_t process_id) override;
  std::uint32_t ProcessId(platform::WindowId window) override;
  std::string ProcessImagePath(std::uint32_t process_id) override;
  std::unique_ptr<platform::WindowWatch> WatchWindows(std::function<void(platform::WindowId)> seen) override;
};

class Win32Registry final : public platform::Registry {
 public:
  platform::RegistryKey OpenKey(platform::RegistryRoot root, std::string_view path, std::uint32_t access) override;
  platform::RegistryData QueryValue(platform::RegistryKey key, std::string_view name,
                                    std::size_t buffer_size) override;
  platform::RegistryKey CreateKey(platform::RegistryRoot root, std::string_view path, std::string_view class_text,
                                  bool non_volatile, std::uint32_t access) override;
  bool SetValue(platform::RegistryKey key, std::string_view name, std::uint32_t type,
                std::string_view bytes) override;
  platform::RegistryData QueryPathValue(platform::RegistryKey key, std::string_view name,
                                        std::size_t buffer_size) override;
  bool SetPathValue(platform::RegistryKey key, std::string_view name, std::string_view path) override;
  void CloseKey(platform::RegistryKey key) override;
  std::unique_ptr<platform::RegistryWatch> WatchKeys(std::vector<platform::WatchedKey> keys) override;
};

class Win32Clock final : public platform::Clock {
 public:
  std::string DateText() override;
  std::string TimeText() override;
  std::string IsoDateText() override;
  std::string ClockTime() override;
  std::uint64_t MonotonicMs() override;
};

class Win32Sound final : public platform::Sound {
 public:
  void PlayWaveAsync(const std::string& path) override;
};

class Win32Files final : public platform::FileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override;
  std::optional<std::string> ReadAt(const std::string& path, std::uint64_t offset, std::size_t length) override;
  std::optional<std::uint64_t> FileSize(const std::string& path) override;
  std::optional<platform::FileStamp> Stamp(const std::string& path) override;
  bool WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
  platform::NewFile WriteNewFile(const std::string& path, std::string_view bytes) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool ClearFile(const std::string& path) override;
  std::vector<platform::FoundFile> FindFiles(const std::string& folder, std::string_view prefix) override;
  bool CreateFolder(const std::string& path) override;
  std::string LocalAppDataFolder() override;
  std::uint64_t Now() override;
  std::string LastError() override { return last_error_; }

 private:
  // Keeps the reason of the call that just failed; returns false.
  bool Fail();

  std::string last_error_;
};

class Win32MessageBoxes final : public platform::MessageBoxes {
 public:
  platform::MessageAnswer Show(const std::string& text, const std::string& title, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
  void SetOwner(platform::WindowId owner) override { owner_ = owner; }

 private:
  platform::WindowId owner_ = 0;
};

class Win32FileDialogs final : public platform::FileDialogs {
 public:
  std::optional<std::string> Show(const platform::FileDialogRequest& request) override;
};

class Win32Dde final : public platform::DdeClient {
 public:
  std::optional<std::string> RequestText(const std::string& service, const std::string& topic,
                                         const std::string& item, unsigned timeout_ms) override;
};

class Win32CodePage final : public platform::CodePage {
 public:
  void LowerUtf16(std::u16string& units) override;
  std::string Utf8FromAnsi(std::string_view ansi) override;
  std::optional<std::string> AnsiFromUtf8(std::string_view utf8) override;
};

struct Win32Platform {
  Win32Desktop desktop;
  Win32Registry registry;
  Win32Clock clock;
  Win32Sound sound;
  Win32Files files;
  Win32MessageBoxes messages;
  Win32FileDialogs file_dialogs;
  Win32Dde dde;
  Win32CodePage code_page;

  platform::Services Services() {
    return {desktop, registry, clock, sound, files, messages, file_dialogs, dde, code_page};
  }
};

}  // namespace quellix::win32
