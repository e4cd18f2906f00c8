#include "platform/sim/sim_control_window.h"

namespace quellix::sim {

using platform::SystemColor;

SimControlWindow::SimControlWindow()
    // The classic Windows colours.
    : system_colours{{SystemColor::kHighlight, 0x6A240A},
                     {SystemColor::kButtonFace, 0xC8D0D4},
                     {SystemColor::kButtonShadow, 0x808080},
                     {SystemColor::kButtonText, 0x000000},
                     {SystemColor::kButtonHighlight, 0xFFFFFF},
                     {SystemColor::kDarkShadow, 0x404040},
                     {SystemColor::kLight, 0xC8D0D4}} {}

bool SimControlWindow::SetMousePointer(int code) {
  if (refuse_pointers) return false;
  mouse_pointer = code;
  return true;
}

bool SimControlWindow::SetMouseIcon(const platform::Picture& icon) {
  if (refuse_pointers) return false;
  mouse_icon = icon;
  return true;
}

void SimControlWindow::SetHeight(int height) {
  heights_set.push_back(height);
  client.height = height;
  if (on_resize) on_resize();
}

void SimControlWindow::StartTimer(unsigned interval_ms) {
  timer_running = true;
  timer_interval = interval_ms;
  elapsed_ = 0;
}

platform::Rgb SimControlWindow::SystemRgb(SystemColor index) {
  const auto it = system_colours.find(index);
  return it == system_colours.end() ? 0 : it->second;
}

void SimControlWindow::LetPendingEventsRun() {
  if (on_pending_events) on_pending_events();
}

platform::PixelBlock SimControlWindow::ParentPixels(platform::Size size) {
  platform::PixelBlock block(size.width, size.height);
  for (int y = 0; y < block.height; ++y)
    for (int x = 0; x < block.width; ++x)
      if (parent.Contains(x, y)) block.At(x, y) = parent.At(x, y);
  return block;
}

void SimControlWindow::Advance(unsigned ms) {
  while (timer_running && timer_interval > 0 && ms >= timer_interval - elapsed_) {
    ms -= timer_interval - elapsed_;
    elapsed_ = 0;
    if (on_timer) on_timer();
  }
  if (timer_running) elapsed_ += ms;
}

}  // namespace quellix::sim
