#pragma once
// The notification-area icon control (TrayArea): keeps an icon picture, a tooltip and a
// shown/hidden switch, turns their changes into notification-area requests, and turns the
// icon's mouse activity into four events.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/ui.h"

namespace quellix::tray {

// A picture: its icon handle as the notification record holds it (0 for an empty picture).
struct Picture {
  std::uint32_t handle = 0;
};

// The never-seeded pseudo-random sequence the icon identifiers are drawn from: every run
// draws the same identifiers.
class RandomSequence {
 public:
  double Next();  // in [0, 1)

 private:
  std::uint32_t state_ = 0x50000;
};

class TrayArea {
 public:
  static constexpr std::uint32_t kCallbackMessage = 0x0200;
  static constexpr std::uint32_t kFlagMessage = 1, kFlagIcon = 2, kFlagTip = 4;
  static constexpr std::size_t kTipWidth = 64;

  class Events {
   public:
    virtual ~Events() = default;
    virtual void MouseMove() {}
    virtual void MouseDown(int /*button*/) {}
    virtual void MouseUp(int /*button*/) {}
    virtual void DblClick() {}
  };

  // `host` is the control's own invisible window, which receives the icon's callbacks.
  TrayArea(platform::Ui& ui, platform::UiId host, Events& events);
  ~TrayArea();
  TrayArea(const TrayArea&) = delete;
  TrayArea& operator=(const TrayArea&) = delete;

  const std::optional<Picture>& Icon() const { return icon_; }
  void SetIcon(std::optional<Picture> icon);
  const std::string& ToolTip() const { return tooltip_; }
  void SetToolTip(const std::string& text);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // A warning balloon over the icon while it is shown; nothing when it is not.
  void ShowBalloon(const std::string& title, const std::string& text);

  // Stored design state: keys "Icon" (an icon key), "ToolTip", "Visible", matched without
  // regard to case. Loading sends nothing to the notification area.
  using Properties = std::map<std::string, std::string>;
  void LoadProperties(const Properties& stored);
  Properties SaveProperties() const;

  // A notification code from the host window.
  void Notify(std::uint32_t code);

  const platform::NotifyIconRecord& Record() const { return record_; }

 private:
  void Put32(std::size_t offset, std::uint32_t value);
  std::uint32_t Get32(std::size_t offset) const;
  void PutTip();
  void Send(platform::NotifyAction action) { ui_.NotifyIcon(action, record_); }

  platform::Ui& ui_;
  platform::UiId host_;
  Events& events_;
  std::optional<Picture> icon_ = Picture{};
  std::string icon_key_;
  std::string tooltip_;
  bool visible_ = false;
  platform::NotifyIconRecord record_{};
  RandomSequence random_;
};

}  // namespace quellix::tray
