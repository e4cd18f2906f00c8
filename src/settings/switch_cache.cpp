#include "settings/switch_cache.h"

#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::settings {
namespace {

// The stored switches with every switch a policy manages set as it forces: a support
// switch, a number in the store, to 1 or 0.
BurnSwitches WithPolicies(BurnSwitches switches, const Policies& policies) {
  const auto number = [&policies](std::string_view name, double& value) {
    if (const auto forced = policies.Forced(name)) value = *forced ? 1 : 0;
  };
  const auto flag = [&policies](std::string_view name, bool& value) {
    if (const auto forced = policies.Forced(name)) value = *forced;
  };
  number(kSupportIe, switches.support_ie);
  number(kSupportNetscape, switches.support_netscape);
  flag(kKillNoMaxButton, switches.kill_no_max_button);
  flag(kKillNoMinButton, switches.kill_no_min_button);
  flag(kKillNoTitleBar, switches.kill_no_title_bar);
  flag(kEnableLogging, switches.logging);
  flag(kChromium, switches.chromium);
  flag(kInstant, switches.instant);
  return switches;
}

}  // namespace

SwitchCache::SwitchCache(platform::Registry& registry)
    : registry_(registry),
      watch_(registry.WatchKeys({{RegistryRoot::kCurrentUser, std::string(kProductKey)},
                                 {kProductRoot, std::string(kProductKey)}})),
      policy_watch_(registry.WatchKeys({{RegistryRoot::kLocalMachine, std::string(kPolicyKey)},
                                        {RegistryRoot::kCurrentUser, std::string(kPolicyKey)}})) {}

const BurnSwitches& SwitchCache::Current() {
  // Without a watch nothing could tell of a change, so every question reads again. Both
  // watches are asked each time, so neither keeps a change for later.
  const bool stored_changed = !watch_ || watch_->TakeChange();
  const bool policies_changed = !policy_watch_ || policy_watch_->TakeChange();
  if (stored_changed) ReadStored();
  if (policies_changed) policies_ = ReadPolicies(registry_);
  if (stored_changed || policies_changed) switches_ = WithPolicies(stored_, policies_);
  return switches_;
}

void SwitchCache::ReadStored() {
  const KeyReader options(registry_, kProductRoot, kProductKeySlash);
  const auto on = [&options](std::string_view name) { return text::IsOn(options.Read(name).text); };
  stored_.support_ie = text::LeadingNumber(options.Read(kSupportIe).text);
  stored_.support_netscape = text::LeadingNumber(options.Read(kSupportNetscape).text);
  stored_.kill_no_max_button = on(kKillNoMaxButton);
  stored_.kill_no_min_button = on(kKillNoMinButton);
  stored_.kill_no_title_bar = on(kKillNoTitleBar);
  stored_.logging = on(kEnableLogging);
  stored_.chromium = on(kChromium);
  stored_.instant = on(kInstant);
}

}  // namespace quellix::settings
