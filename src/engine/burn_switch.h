#pragma once
// Whether burning is on (BurnEnabled in the product's own terms): a 16-bit switch, 0 off and
// any other value on, and the pause that may hold it off for a while. Its one owner is the
// process state; everything else turns it through the named operations here.

#include <cstdint>
#include <optional>
#include <string>

namespace quellix::engine {

class BurnSwitch {
 public:
  BurnSwitch() = default;
  // A switch holding `value` as it stands, as a test or a stored state may give it.
  explicit BurnSwitch(std::int16_t value) : value_(value) {}

  bool On() const { return value_ != 0; }
  std::int16_t Value() const { return value_; }

  // At start-up, and when the information window closes: on.
  void TurnOn() { value_ = 1; }
  // While the information window is open: off.
  void TurnOff() { value_ = 0; }
  // The tray menu's toggle turns 1 off and 0 on (any other value stays as it is) and ends a
  // pause at once, whichever way it turns. True when it ended a pause.
  bool Toggle();
  // Off until `until_ms` (monotonic) unless something turns it on meanwhile; `until` tells
  // the time as the tooltip shows it ("HH:MM").
  void Pause(std::uint64_t until_ms, std::string until);
  // A pause that is over at `now_ms` ends, and turns burning on again when it is still off.
  // True when a pause ended.
  bool EndPauseIfOver(std::uint64_t now_ms);

  // Off because of a pause that has not ended.
  bool Paused() const { return pause_ends_ms_.has_value() && value_ == 0; }
  bool PauseAsked() const { return pause_ends_ms_.has_value(); }
  const std::string& PausedUntil() const { return pause_until_; }

 private:
  std::int16_t value_ = 0;
  std::optional<std::uint64_t> pause_ends_ms_;  // not stored
  std::string pause_until_;
};

}  // namespace quellix::engine
