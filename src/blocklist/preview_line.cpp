#include "blocklist/preview_line.h"

namespace quellix::blocklist {

namespace {
constexpr std::uint32_t kWarningColor = 0x000040C0;  // a dark orange (0x00BBGGRR)
constexpr int kIconSize = 270;                       // twips
}  // namespace

void PreviewLine::Create(platform::Ui& ui, platform::UiId form, platform::TwipsRect rect) {
  platform::ControlSpec icon{
      platform::ControlKind::kPicture, "imgWarning", "warning", {rect.left, rect.top, kIconSize, kIconSize}};
  icon.visible = false;
  icon_ = ui.CreateControl(form, icon);
  label_ = ui.CreateControl(
      form, {platform::ControlKind::kLabel,
             "lblPreview",
             "",
             {rect.left + kIconSize + 60, rect.top + 15, rect.width - kIconSize - 60, rect.height}});
}

void PreviewLine::Update(platform::Ui& ui, const PreviewFn& preview, const std::string& entry) {
  if (!preview || label_ == 0) return;
  const engine::EntryPreview result = preview(entry);
  ui.SetText(label_, engine::PreviewText(result));
  ui.SetTextColor(label_, result.burns_everything ? kWarningColor : platform::Ui::kDefaultTextColor);
  ui.SetVisible(icon_, result.burns_everything);
}

}  // namespace quellix::blocklist
