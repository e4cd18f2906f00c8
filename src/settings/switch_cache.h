#pragma once
// The switches the burn cycle consults for every window, kept in memory and read again from
// the registry only when it says that the product key (machine-wide or per user) or a
// policy key changed. A change made by the options page or by another program between two
// windows of one walk still takes effect at the next window, at the cost of two flag tests
// per window. A switch an organisation's policy manages comes out as the policy says,
// whatever the product stores.

#include <memory>
#include <string>

#include "platform/registry.h"
#include "settings/policies.h"

namespace quellix::settings {

struct BurnSwitches {
  double support_ie = 0;            // "0", judged by its leading number
  double support_netscape = 0;      // "1"
  bool kill_no_max_button = false;  // "3"
  bool kill_no_min_button = false;  // "5"
  bool kill_no_title_bar = false;   // "6"
  bool logging = false;             // "7"
  bool chromium = false;            // "chromium"
  bool instant = false;             // "instant": burn windows the moment they appear
};

class SwitchCache {
 public:
  // Starts watching both layers of the product key and both policy keys.
  explicit SwitchCache(platform::Registry& registry);

  // The switches as they stand now. Reads the registry only after a change was signalled.
  const BurnSwitches& Current();

 private:
  void ReadStored();

  platform::Registry& registry_;
  std::unique_ptr<platform::RegistryWatch> watch_;
  std::unique_ptr<platform::RegistryWatch> policy_watch_;
  BurnSwitches stored_;  // as the product stores them
  Policies policies_;
  BurnSwitches switches_;  // with the policies laid over them
};

}  // namespace quellix::settings
