#pragma once
// The information window (Form4): the program's name, version and the maker's links.

#include <functional>

#include "platform/ui.h"

namespace quellix::ui {

class InfoWindow final : public platform::UiEvents {
 public:
  InfoWindow(platform::Ui& ui, platform::Shell& shell, std::function<void()> on_closed)
      : ui_(ui), shell_(shell), on_closed_(std::move(on_closed)) {}
  ~InfoWindow() override { Unload(); }

  bool Loaded() const { return form_ != 0; }
  // Loads the window if needed and shows it, modeless.
  void Show();
  // Closes the window; the closing handler runs.
  void Unload();

  platform::UiId Form() const { return form_; }
  void OnClick(platform::UiId control) override;
  void OnCloseRequest(platform::UiId form) override;

 private:
  platform::Ui& ui_;
  platform::Shell& shell_;
  std::function<void()> on_closed_;
  platform::UiId form_ = 0, web_link_ = 0, mail_link_ = 0, ok_ = 0;
};

}  // namespace quellix::ui
