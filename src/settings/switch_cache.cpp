#include "settings/switch_cache.h"

#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::settings {

SwitchCache::SwitchCache(platform::Registry& registry)
    : registry_(registry),
      watch_(registry.WatchKeys({{RegistryRoot::kCurrentUser, std::string(kProductKey)},
                                 {kProductRoot, std::string(kProductKey)}})) {}

const BurnSwitches& SwitchCache::Current() {
  // Without a watch nothing could tell of a change, so every question reads again.
  if (!watch_ || watch_->TakeChange()) Reload();
  return switches_;
}

void SwitchCache::Reload() {
  const KeyReader options(registry_, kProductRoot, kProductKeySlash);
  const auto on = [&options](std::string_view name) { return text::IsOn(options.Read(name).text); };
  switches_.support_ie = text::LeadingNumber(options.Read(kSupportIe).text);
  switches_.support_netscape = text::LeadingNumber(options.Read(kSupportNetscape).text);
  switches_.kill_no_max_button = on(kKillNoMaxButton);
  switches_.kill_no_min_button = on(kKillNoMinButton);
  switches_.kill_no_title_bar = on(kKillNoTitleBar);
  switches_.logging = on(kEnableLogging);
  switches_.chromium = on(kChromium);
  switches_.instant = on(kInstant);
}

}  // namespace quellix::settings
