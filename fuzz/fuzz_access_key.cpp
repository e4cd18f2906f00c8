// The access key of any caption, checked against the ampersands' positions, and the same
// caption set on a shown button: its window must get that key, and laying out and drawing
// the caption must stay within bounds.

#include <cstdint>
#include <string>
#include <vector>

#include "controls/access_key.h"
#include "controls/drawn_button.h"
#include "platform/sim/sim_canvas.h"
#include "platform/sim/sim_control_window.h"
#include "text/text.h"
#include "text/utf8.h"

namespace {

// The key from the list of ampersand positions: the character after the first one, or,
// when the first two are adjacent (an escaped "&"), the character after the third one. The
// character is a whole UTF-8 character (a byte that begins none is one of its own), with
// only its ASCII letters lowered.
std::string ExpectedKey(const std::string& caption) {
  std::vector<std::size_t> amps;
  for (std::size_t i = 0; i < caption.size(); ++i)
    if (caption[i] == '&') amps.push_back(i);
  if (caption.size() <= 1 || amps.empty()) return "";
  std::size_t at = amps[0];
  if (at + 1 < caption.size() && caption[at + 1] == '&') {
    if (amps.size() < 3) return "";
    at = amps[2];
  }
  if (at + 1 >= caption.size() || caption[at + 1] == '&') return "";
  const auto character = quellix::text::DecodeUtf8(caption, at + 1);
  if (at + 1 + character.length > caption.size()) __builtin_trap();
  std::string key = caption.substr(at + 1, character.length);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quellix;
  const std::string caption(reinterpret_cast<const char*>(data), size);
  const std::string key = controls::AccessKey(caption);
  if (key != ExpectedKey(caption)) __builtin_trap();

  sim::SimControlWindow window;
  sim::SimCanvas canvas;
  controls::DrawnButton::Events events;
  controls::DrawnButton button(window, canvas, events);
  controls::PropertyBag stored;
  stored.WriteInt("BTYPE", 9);
  stored.WriteInt("COLTYPE", 2);
  button.Load(stored);
  button.OnResize();
  button.Show();
  button.SetCaption(caption);
  if (window.access_keys != key) __builtin_trap();
  const auto& text = button.Layout().text;
  if (text.left > text.right || text.top > text.bottom) __builtin_trap();
  return 0;
}
