#pragma once
// The whole program on the simulated platform, for the tests of the main window and what
// hangs on it: the world, the UI host, the shell, and the main window once started.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/hosted_button.h"
#include "platform/sim/sim_ui.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::testing {

class MainWindowRig : public ::testing::Test {
 protected:
  World world;
  sim::SimUi ui{controls::DrawnProductButtons()};
  sim::SimShell shell;
  std::string list_path = world.app_folder + "\\popcfg.apo";
  std::string hits_path = world.app_folder + "\\popcfg.hits";
  std::unique_ptr<ui::MainWindow> main;

  // Makes the main window and runs the start-up sequence: the program ends up in the tray.
  void Start() {
    main = std::make_unique<ui::MainWindow>(
        tray::TrayContext{world.services(), ui, shell, world.state, world.app_folder, world.data_folder});
    main->Start();
  }
  platform::UiId C(const std::string& name) { return main->Control(name); }
  platform::UiId Host() { return C("TrayArea1"); }
};

}  // namespace quellix::testing
