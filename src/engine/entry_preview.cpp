#include "engine/entry_preview.h"

#include "engine/block_entries.h"
#include "engine/chromium_frames.h"
#include "engine/window_inspection.h"
#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::engine {

EntryPreview PreviewEntry(platform::Services services, platform::WindowId anchor, const std::string& entry,
                          const ChromiumFrameAges& ages, const settings::Policies& policies) {
  EntryPreview preview;
  BlockEntries single;
  single.Assign({entry}, services.code_page);
  const settings::KeyReader options(services.registry, settings::kProductRoot, settings::kProductKeySlash);
  const auto read = [&](std::string_view name) { return policies.SwitchText(name, options.Read(name).text); };
  const double ie = text::LeadingNumber(read(settings::kSupportIe));
  const double netscape = text::LeadingNumber(read(settings::kSupportNetscape));
  const bool chromium = text::IsOn(read(settings::kChromium));
  ChromiumBurnRule chromium_rule(services.desktop, ages, services.clock.MonotonicMs());
  for (ZOrderWalk walk(services.desktop, anchor); walk.Current() != 0; walk.Next()) {
    const WindowId window = walk.Current();
    const std::string class_name = ReadWindowClass(services.desktop, window);
    if (IsChromiumClass(class_name)) {
      if (!chromium || !chromium_rule.MayBurn(window)) continue;
      ++preview.open;
      if (chromium_rule.Blocks(single, ReadWindowTitle(services.desktop, window))) ++preview.would_burn;
      continue;
    }
    if (!SupportedFrame(ie, netscape, IsIeClass(class_name), IsMozillaClass(class_name))) continue;
    ++preview.open;
    if (single.IsBlocked(ReadWindowTitle(services.desktop, window))) ++preview.would_burn;
  }
  preview.burns_everything =
      text::TrimBlanks(entry).empty() || (preview.open >= 2 && preview.would_burn == preview.open);
  return preview;
}

std::string PreviewText(const EntryPreview& preview) {
  if (preview.burns_everything) return "This entry burns every browser window";
  return "Would burn " + std::to_string(preview.would_burn) + " of the " + std::to_string(preview.open) +
         (preview.open == 1 ? " browser window open now" : " browser windows open now");
}

}  // namespace quellix::engine
