#pragma once
// A drawn button on the simulated window and canvas, with its events recorded.

#include <string>
#include <vector>

#include "controls/drawn_button.h"
#include "platform/sim/sim_canvas.h"
#include "platform/sim/sim_control_window.h"

namespace quellix::controls::testing {

struct EventLog : DrawnButton::Events {
  std::vector<std::string> seen;
  std::vector<int> shifts;  // the Shift value of each mouse event
  void Click() override { seen.push_back("Click"); }
  void MouseDown(std::int16_t b, std::int16_t shift, float, float) override {
    seen.push_back("MouseDown" + std::to_string(b));
    shifts.push_back(shift);
  }
  void MouseMove(std::int16_t b, std::int16_t shift, float, float) override {
    seen.push_back("MouseMove" + std::to_string(b));
    shifts.push_back(shift);
  }
  void MouseUp(std::int16_t b, std::int16_t shift, float, float) override {
    seen.push_back("MouseUp" + std::to_string(b));
    shifts.push_back(shift);
  }
  void KeyPress(std::int16_t k) override { seen.push_back("KeyPress" + std::to_string(k)); }
  void KeyDown(std::int16_t k, std::int16_t) override { seen.push_back("KeyDown" + std::to_string(k)); }
  void KeyUp(std::int16_t k, std::int16_t) override { seen.push_back("KeyUp" + std::to_string(k)); }
  void MouseOver() override { seen.push_back("MouseOver"); }
  void MouseOut() override { seen.push_back("MouseOut"); }
  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& s : seen) n += s == name;
    return n;
  }
};

// The product's command buttons: type 9, custom colours 0xE9E9E9 on black, soft bevel,
// focus rectangle shown.
inline PropertyBag CommandButtonProperties(const std::string& caption = "OK") {
  PropertyBag bag;
  bag.WriteInt("BTYPE", 9);
  bag.WriteText("TX", caption);
  bag.WriteInt("COLTYPE", 2);
  bag.WriteColour("BCOL", 0xE9E9E9);
  bag.WriteColour("BCOLO", 0xE9E9E9);
  bag.WriteColour("FCOL", 0x000000);
  bag.WriteColour("FCOLO", 0x000000);
  bag.WriteColour("MCOL", 0xFFFFFF);
  bag.WriteBool("SOFT", true);
  return bag;
}

struct ButtonRig {
  sim::SimControlWindow window;
  sim::SimCanvas canvas;
  EventLog events;
  DrawnButton button{window, canvas, events};

  ButtonRig() {
    window.on_timer = [this] { button.OnTimer(); };
    window.on_resize = [this] { button.OnResize(); };
  }
  // Loads the stored properties, sizes and shows the button, as its container does.
  void Start(const PropertyBag& stored, platform::Size size = {80, 24}) {
    window.client = size;
    button.Load(stored);
    button.OnResize();
    button.Show();
  }
  platform::Rgb At(int x, int y) const { return canvas.Shown(x, y); }
  // The mouse arrives over the button and rests.
  void Hover() {
    window.cursor_over = true;
    button.OnMouseMove(0, 0, 5, 5);
  }
  void Leave() {
    window.cursor_over = false;
    window.Advance(kOverTimerMs);
  }
};

}  // namespace quellix::controls::testing
