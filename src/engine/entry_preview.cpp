#include "engine/entry_preview.h"

#include "engine/block_entries.h"
#include "engine/browser_frames.h"
#include "engine/young_frames.h"
#include "engine/window_inspection.h"
#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::engine {

EntryPreview PreviewEntry(platform::Services services, platform::WindowId anchor, const std::string& entry,
                          const FrameAges& ages, const settings::Policies& policies) {
  EntryPreview preview;
  BlockEntries single;
  single.Assign({entry}, services.code_page);
  const settings::KeyReader options(services.registry, settings::kProductRoot, settings::kProductKeySlash);
  const auto read = [&](std::string_view name) { return policies.SwitchText(name, options.Read(name).text); };
  const double ie = text::LeadingNumber(read(settings::kSupportIe));
  const double netscape = text::LeadingNumber(read(settings::kSupportNetscape));
  const bool chromium = text::IsOn(read(settings::kChromium));
  const YoungFrameRule young(services.desktop, ages, services.clock.MonotonicMs());
  FrameReader frames(services.desktop);
  for (ZOrderWalk walk(services.desktop, anchor); walk.Current() != 0; walk.Next()) {
    const WindowId window = walk.Current();
    const std::string class_name = ReadWindowClass(services.desktop, window);
    if (IsChromiumClass(class_name) ? !chromium || !young.Young(window)
                                    : !SupportedFrame(ie, netscape, IsIeClass(class_name), IsMozillaClass(class_name)))
      continue;
    const BrowserFrame frame = frames.Read(window, class_name);
    if (frame.kind == FrameKind::kNone) continue;
    if (frame.Young()) {
      if (!young.MayBurn(window) || !frames.Owned(window, frame)) continue;
      ++preview.open;
      if (young.Blocks(single, frame.title)) ++preview.would_burn;
      continue;
    }
    if (!frames.Owned(window, frame)) continue;
    ++preview.open;
    if (single.IsBlocked(frame.title)) ++preview.would_burn;
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
