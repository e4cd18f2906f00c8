// The burn switch and its pause, on their own.
#include "engine/burn_switch.h"

#include <gtest/gtest.h>

namespace quellix::engine {
namespace {

TEST(BurnSwitch, TheToggleTurnsOneAndZeroOverLeavesOtherValuesAndEndsAPause) {
  BurnSwitch burning;
  EXPECT_FALSE(burning.On());
  burning.TurnOn();
  EXPECT_FALSE(burning.Toggle());
  EXPECT_EQ(burning.Value(), 0);
  burning.Toggle();
  EXPECT_EQ(burning.Value(), 1);
  BurnSwitch odd(-2);  // on, but not a value the toggle knows
  EXPECT_TRUE(odd.On());
  odd.Toggle();
  EXPECT_EQ(odd.Value(), -2);
  burning.Pause(5000, "12:15");
  EXPECT_TRUE(burning.Paused());
  EXPECT_EQ(burning.PausedUntil(), "12:15");
  EXPECT_TRUE(burning.Toggle());  // ended the pause, and burning is on again
  EXPECT_TRUE(burning.On());
  EXPECT_FALSE(burning.PauseAsked());
}

TEST(BurnSwitch, APauseEndsAtItsTimeAndOnlyTurnsOnWhatItHeldOff) {
  BurnSwitch burning;
  burning.TurnOn();
  burning.Pause(5000, "12:15");
  EXPECT_FALSE(burning.On());
  EXPECT_FALSE(burning.EndPauseIfOver(4999));
  EXPECT_TRUE(burning.Paused());
  EXPECT_TRUE(burning.EndPauseIfOver(5000));
  EXPECT_TRUE(burning.On());
  EXPECT_FALSE(burning.EndPauseIfOver(9000));  // no pause left to end
  // Turned on meanwhile (the information window closed), burning is not paused; turned off
  // again before the pause's time, it is paused until then once more.
  burning.Pause(20000, "12:30");
  burning.TurnOn();
  EXPECT_FALSE(burning.Paused());
  burning.TurnOff();
  EXPECT_TRUE(burning.Paused());
}

}  // namespace
}  // namespace quellix::engine
