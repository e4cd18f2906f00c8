#pragma once
// The open-window picker (Form2): a title typed or picked from the browser windows open now
// becomes a new block list entry. It does not block the main window or the tray.

#include <functional>
#include <string>

#include "blocklist/preview_line.h"
#include "platform/platform.h"
#include "platform/ui.h"
#include "settings/policies.h"

namespace quellix::blocklist {

inline constexpr std::string_view kPickerCaption = "Add New Popup window Title.";
inline constexpr unsigned kPickerRefreshInterval = 3000;  // ms

class OpenWindowPicker final : public platform::UiEvents {
 public:
  // `own_window` anchors the window walk; `on_ok` gets the text exactly as typed, and the
  // picker unloads after it. `policies`, when given, say whether the Chromium switch is
  // managed, as they do for the burn cycle.
  OpenWindowPicker(platform::Ui& ui, platform::Services services,
                   std::function<platform::WindowId()> own_window,
                   std::function<void(const std::string&)> on_ok, PreviewFn preview = {},
                   std::function<const settings::Policies&()> policies = {})
      : ui_(ui),
        services_(services),
        own_window_(std::move(own_window)),
        on_ok_(std::move(on_ok)),
        preview_(std::move(preview)),
        policies_(std::move(policies)) {}
  ~OpenWindowPicker() override { Unload(); }
  OpenWindowPicker(const OpenWindowPicker&) = delete;
  OpenWindowPicker& operator=(const OpenWindowPicker&) = delete;

  // Loads the picker if needed (an open one keeps its text), refreshes the list, shows it.
  void Open();
  void Unload();
  bool Loaded() const { return form_ != 0; }
  // The open browser frames' titles into lstOpen.
  void Refresh();

  platform::UiId Form() const { return form_; }
  platform::UiId TextField() const { return text_; }
  platform::UiId OpenList() const { return list_; }
  platform::UiId AutoRefresh() const { return auto_refresh_; }
  platform::UiId OkButton() const { return ok_; }
  platform::UiId CancelButton() const { return cancel_; }
  const PreviewLine& Preview() const { return preview_line_; }

  void OnClick(platform::UiId control) override;
  // Every click on a row copies it into Text1, also on the row highlighted already (the
  // user may have edited the copy since), and so does moving the highlight with the keys.
  void OnItemClick(platform::UiId control, std::size_t row) override;
  void OnSelectionChanged(platform::UiId control, std::size_t row) override { OnItemClick(control, row); }
  void OnTextEdited(platform::UiId control) override;
  void OnTimer(platform::UiId timer) override;
  void OnCloseRequest(platform::UiId form) override;

 private:
  void Load();
  void StoreAutoRefresh();

  platform::Ui& ui_;
  platform::Services services_;
  std::function<platform::WindowId()> own_window_;
  std::function<void(const std::string&)> on_ok_;
  PreviewFn preview_;
  std::function<const settings::Policies&()> policies_;
  PreviewLine preview_line_;
  platform::UiId form_ = 0, text_ = 0, list_ = 0, auto_refresh_ = 0, ok_ = 0, cancel_ = 0, timer_ = 0;
};

}  // namespace quellix::blocklist
