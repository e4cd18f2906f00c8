#include "tray/tray_area.h"

#include <cmath>

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::tray {
namespace {

constexpr std::size_t kSizeOffset = 0, kWindowOffset = 4, kIdOffset = 8, kFlagsOffset = 12, kMessageOffset = 16,
                      kIconOffset = 20, kTipOffset = 24;

const std::string* FindProperty(const TrayArea::Properties& stored, std::string_view key) {
  for (const auto& [k, v] : stored)
    if (text::LowerCase(k) == text::LowerCase(key)) return &v;
  return nullptr;
}

}  // namespace

double RandomSequence::Next() {
  state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return state_ / 16777216.0;
}

TrayArea::TrayArea(platform::Ui& ui, platform::UiId host, Events& events) : ui_(ui), host_(host), events_(events) {}

TrayArea::~TrayArea() { Send(platform::NotifyAction::kDelete); }

std::uint32_t TrayArea::Get32(std::size_t offset) const {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | record_[offset + static_cast<std::size_t>(i)];
  return value;
}

void TrayArea::Put32(std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) record_[offset + i] = static_cast<unsigned char>(value >> (8 * i));
}

void TrayArea::PutTip() {
  // A tip too long for the field is cut between two characters, never inside one.
  const std::string field = text::Field(text::FirstWholeBytes(tooltip_, kTipWidth), kTipWidth);
  std::copy(field.begin(), field.end(), record_.begin() + kTipOffset);
}

void TrayArea::SetIcon(std::optional<Picture> icon) {
  icon_ = icon;
  if (!icon_) {
    SetVisible(false);
  } else if (visible_) {
    Put32(kFlagsOffset, kFlagIcon);
    Put32(kIconOffset, icon_->handle);
    Send(platform::NotifyAction::kModify);
  }
}

void TrayArea::SetToolTip(const std::string& text) {
  tooltip_ = text::TrimBlanks(text);
  Put32(kFlagsOffset, kFlagTip);
  PutTip();
  Send(platform::NotifyAction::kModify);
}

void TrayArea::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) {
    Put32(kSizeOffset, static_cast<std::uint32_t>(record_.size()));
    Put32(kWindowOffset, ui_.NativeWindow(host_));
    Put32(kIdOffset, static_cast<std::uint32_t>(std::floor(random_.Next() * 65535 + 1)));
    std::uint32_t flags = kFlagMessage;
    if (icon_) {
      flags |= kFlagIcon;
      Put32(kIconOffset, icon_->handle);
    }
    if (!tooltip_.empty()) {
      flags |= kFlagTip;
      PutTip();
    }
    Put32(kFlagsOffset, flags);
    Put32(kMessageOffset, kCallbackMessage);
    Send(platform::NotifyAction::kAdd);
  } else {
    Send(platform::NotifyAction::kDelete);
  }
}

void TrayArea::LoadProperties(const Properties& stored) {
  const std::string* icon = FindProperty(stored, "Icon");
  icon_key_ = icon ? *icon : std::string();
  icon_ = icon ? Picture{ui_.LoadIcon(*icon)} : Picture{};
  const std::string* tip = FindProperty(stored, "ToolTip");
  tooltip_ = tip ? text::TrimBlanks(*tip) : std::string();
  const std::string* visible = FindProperty(stored, "Visible");
  visible_ = visible != nullptr && (text::LowerCase(*visible) == "true" || text::LeadingNumber(*visible) != 0);
}

TrayArea::Properties TrayArea::SaveProperties() const {
  Properties out;
  if (!icon_key_.empty()) out["Icon"] = icon_key_;
  if (!tooltip_.empty()) out["ToolTip"] = tooltip_;
  if (visible_) out["Visible"] = "True";
  return out;
}

void TrayArea::Notify(std::uint32_t code) {
  switch (code) {
    case 0x200: events_.MouseMove(); break;
    case 0x201: events_.MouseDown(1); break;
    case 0x204: events_.MouseDown(2); break;
    case 0x202: events_.MouseUp(1); break;
    case 0x205: events_.MouseUp(2); break;
    case 0x203:
    case 0x206: events_.DblClick(); break;
    default: break;
  }
}

void TrayArea::ShowBalloon(const std::string& title, const std::string& text) {
  if (!visible_) return;
  ui_.ShowBalloon(Get32(kWindowOffset), Get32(kIdOffset), title, text);
}

}  // namespace quellix::tray
