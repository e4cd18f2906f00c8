#pragma once
// A simulated machine with the product's state, for the engine and block list tests.

#include <string>

#include "blocklist/block_list_file.h"
#include "blocklist/managed_list.h"
#include "engine/process_state.h"
#include "platform/sim/sim_services.h"
#include "settings/settings_store.h"

namespace quellix::testing {

inline constexpr char kAppFolder[] = "C:\\Program Files\\Quellix";

struct World {
  sim::SimPlatform sim;
  engine::ProcessState state;
  std::string app_folder = kAppFolder;
  // Where the user's files are; the program folder, as for a per-user install.
  std::string data_folder = kAppFolder;
  // The product's own top-level window, the anchor of every walk; it sits at the bottom.
  platform::WindowId own_window = 0;

  World() {
    state.burning.TurnOn();
    own_window = sim.desktop.AddWindow("ThunderRT6FormDC", "Quellix");
  }

  platform::Services services() { return sim.Services(); }

  void SetOption(std::string_view name, std::string text) {
    sim.registry.PutString(settings::kProductRoot, settings::kProductKey, name, std::move(text));
  }
  std::string Option(std::string_view name) const {
    auto v = sim.registry.Get(settings::kProductRoot, settings::kProductKey, name);
    return v ? v->bytes : std::string("<absent>");
  }
  // The current user's own copy of a value, as stored.
  std::string UserOption(std::string_view name) const {
    auto v = sim.registry.Get(platform::RegistryRoot::kCurrentUser, settings::kProductKey, name);
    return v ? v->bytes : std::string("<absent>");
  }
  // The machine-wide key refuses every write, as it does for a standard user.
  void RefuseMachineWrites() {
    sim.registry.DenyAccess(platform::RegistryRoot::kLocalMachine, "",
                            platform::regaccess::kSetValue | platform::regaccess::kCreateSubKey);
  }
  // A window placed above every other one, as a newly opened pop-up is.
  platform::WindowId OpenOnTop(std::string class_name, std::string caption, std::uint32_t style = sim::kOverlappedWindowStyle,
                               bool ignores_close = false) {
    auto id = sim.desktop.AddWindow(sim::SimWindowSpec{std::move(class_name), std::move(caption), style, ignores_close});
    sim.desktop.BringToTop(id);
    return id;
  }
  std::string Log() const { return sim.files.Get(data_folder + "\\popuplog.txt").value_or(""); }
};

// popcfg.apo in `folder` loaded as the program loads it when nothing is managed: the user's
// list shown (LoadOwnList) and made active (ComposeActiveList). A file that could not be read
// leaves the active list as it was; so does a list the memory left cannot make active.
inline blocklist::ListRead::Outcome LoadListAsAtStart(platform::Services services, const std::string& folder,
                                                      engine::BlockEntries& active,
                                                      blocklist::DisplayedBlockList& displayed) {
  blocklist::ListRead read = blocklist::LoadOwnList(services, folder, displayed);
  if (read.outcome == blocklist::ListRead::Outcome::kRead)
    blocklist::ComposeActiveList(active, read.entries, {}, /*own_burn=*/true, services.code_page);
  return read.outcome;
}

}  // namespace quellix::testing
