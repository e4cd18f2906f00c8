// The looks the program's own buttons use: types 9 and 8 in the custom colour scheme, in
// every state, checked pixel by pixel on the simulated canvas.
//
// An 80 x 24 button captioned "OK" puts its caption at (34, 6)-(46, 18); with the sim font
// the "O" fills x 35..38, y 8..14, and when pressed x 36..39, y 9..15.

#include <gtest/gtest.h>

#include "drawn_button_rig.h"

namespace quellix::controls::testing {
namespace {

constexpr Rgb kFace = 0xE9E9E9;
constexpr Rgb kSoftShadow = 0xC9C9C9;   // face - 32
constexpr Rgb kSoftAccent = 0xA9A9A9;   // face - 64
constexpr Rgb kSoftPressed = 0xD9D9D9;  // face - 16
constexpr Rgb kInverted = kFace ^ 0xFFFFFF;

// Pixels that tell the looks apart.
constexpr int kUpOnlyX = 35, kUpOnlyY = 8;             // caption up, face when pressed
constexpr int kPressedOnlyX = 39, kPressedOnlyY = 15;  // caption pressed, face when up
constexpr int kFillX = 10, kFillY = 12;                // face area away from the caption

class Type9Test : public ::testing::Test {
 protected:
  void Start(PropertyBag stored = CommandButtonProperties()) { rig.Start(stored); }
  Rgb At(int x, int y) const { return rig.At(x, y); }
  ButtonRig rig;
};

TEST_F(Type9Test, UpIsFlat) {
  Start();
  EXPECT_EQ(At(0, 0), kFace);
  EXPECT_EQ(At(79, 23), kFace);
  EXPECT_EQ(At(40, 0), kFace);
  EXPECT_EQ(At(kFillX, kFillY), kFace);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), 0x000000u);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kFace);
  EXPECT_EQ(rig.canvas.Texts().at(0).rect, (Rect{34, 6, 46, 18}));
}

TEST_F(Type9Test, HoverOutlinesInTheAccent) {
  Start();
  rig.Hover();
  EXPECT_EQ(At(0, 0), kSoftAccent);
  EXPECT_EQ(At(79, 23), kSoftAccent);
  EXPECT_EQ(At(40, 0), kSoftAccent);
  EXPECT_EQ(At(0, 12), kSoftAccent);
  EXPECT_EQ(At(1, 1), kFace);  // accent tint: the face itself in this scheme
  EXPECT_EQ(At(kFillX, kFillY), kFace);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), 0x000000u);
  rig.Leave();
  EXPECT_EQ(At(0, 0), kFace);
}

TEST_F(Type9Test, HoverFillsWithBackOverAndOutlinesItDarkenedBy64UnderSoftBevel) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteColour("BCOLO", 0xFAD8CB);
  stored.WriteColour("FCOLO", 0x0000FF);
  Start(stored);
  rig.Hover();
  EXPECT_EQ(At(1, 1), 0xFAD8CBu);
  EXPECT_EQ(At(kFillX, kFillY), 0xFAD8CBu);
  EXPECT_EQ(At(0, 0), 0xBA988Bu);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), 0x0000FFu);  // hover text
  // The swap lasts one draw: the palette is the button's own again.
  EXPECT_EQ(rig.button.CurrentPalette().face, kFace);
}

TEST_F(Type9Test, HoverWithoutSoftBevelDarkensTheOutlineBy128) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteBool("SOFT", false);
  Start(stored);
  rig.Hover();
  EXPECT_EQ(At(0, 0), 0x696969u);
}

TEST_F(Type9Test, PressedUnderTheMouseFillsDarkerAndShiftsTheCaption) {
  Start();
  rig.Hover();
  rig.button.OnMouseDown(kLeftButton, 0, 5, 5);
  EXPECT_EQ(At(0, 0), kSoftAccent);
  EXPECT_EQ(At(40, 23), kSoftAccent);
  EXPECT_EQ(At(1, 1), kSoftPressed);
  EXPECT_EQ(At(kFillX, kFillY), kSoftPressed);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x000000u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kSoftPressed);
}

TEST_F(Type9Test, PressedWithoutHoverKeepsTheFace) {
  Start();
  rig.button.OnKeyDown(kKeySpace, 0);
  EXPECT_EQ(At(0, 0), kSoftAccent);
  EXPECT_EQ(At(1, 1), kFace);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x000000u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kFace);
}

TEST_F(Type9Test, PageButtonHoverAndPressColours) {
  PropertyBag stored = CommandButtonProperties("Options");
  stored.WriteColour("BCOL", 0xE6BA9D);
  stored.WriteColour("BCOLO", 0xE6BA9D);
  stored.WriteColour("FCOLO", 0xFFFFFF);
  Start(stored);
  rig.Hover();
  EXPECT_EQ(At(0, 0), 0xA67A5Du);
  const Rect text = rig.canvas.Texts().at(0).rect;
  EXPECT_EQ(At(text.left + 1, text.top + 2), 0xFFFFFFu);  // white caption on hover
  rig.button.OnMouseDown(kLeftButton, 0, 5, 5);
  EXPECT_EQ(At(1, 1), 0xD6AA8Du);
}

TEST_F(Type9Test, DisabledShowsTheCaptionInShadowWithoutFrame) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteBool("ENAB", false);
  Start(stored);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kSoftShadow);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kFace);
  EXPECT_EQ(At(0, 0), kFace);
  EXPECT_EQ(At(79, 23), kFace);
}

TEST_F(Type9Test, FocusedDrawsTheDottedRectangleThreePixelsIn) {
  Start();
  rig.button.OnFocus(true);
  EXPECT_EQ(At(4, 3), kInverted);
  EXPECT_EQ(At(3, 4), kInverted);
  EXPECT_EQ(At(3, 3), kFace);  // XORed with the black text colour
  EXPECT_EQ(At(76, 11), kInverted);
  EXPECT_EQ(At(2, 3), kFace);
  EXPECT_EQ(At(5, 4), kFace);
  rig.button.OnFocus(false);
  EXPECT_EQ(At(4, 3), kFace);
}

TEST_F(Type9Test, FocusOnTopOfTheHoverLook) {
  Start();
  rig.button.OnFocus(true);
  rig.Hover();
  EXPECT_EQ(At(0, 0), kSoftAccent);
  EXPECT_EQ(At(4, 3), kInverted);
}

TEST_F(Type9Test, NoFocusRectangleWhenItIsSwitchedOff) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteBool("FOCUSR", false);
  Start(stored);
  rig.button.OnFocus(true);
  EXPECT_EQ(At(4, 3), kFace);
}

TEST_F(Type9Test, CheckedDrawsDownWithTheMouseElsewhere) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteBool("CHECK", true);
  stored.WriteBool("VALUE", true);
  Start(stored);
  EXPECT_EQ(rig.button.LastDrawnState(), kStateDown);
  EXPECT_EQ(At(0, 0), kSoftAccent);
  EXPECT_EQ(At(1, 1), kFace);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x000000u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kFace);
}

// A 6 x 6 icon: its top-left pixel transparent, columns 0-2 dark red, 3-5 light grey.
constexpr Rgb kDark = 0x0000FF, kLight = 0xF0F0F0, kTransparent = 0xFF00FF;
void AddTestIcon(sim::SimCanvas& canvas, const std::string& key, Rgb dark = kDark) {
  platform::PixelBlock icon(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) icon.At(x, y) = x < 3 ? dark : kLight;
  icon.At(0, 0) = kTransparent;
  canvas.AddIcon(key, icon, kTransparent);
}

// With the icon the caption moves to (37, 6) and the picture sits at (27, 9).
class Type9PictureTest : public Type9Test {
 protected:
  void StartWithIcon(PropertyBag stored = CommandButtonProperties()) {
    AddTestIcon(rig.canvas, "a");
    stored.WriteText("PICN", "a");
    Start(stored);
  }
};

TEST_F(Type9PictureTest, UpPictureIsFaded) {
  StartWithIcon();
  EXPECT_EQ(rig.button.Layout().picture.x, 27);
  EXPECT_EQ(rig.button.Layout().picture.y, 9);
  EXPECT_EQ(At(27, 9), kFace);                 // transparent
  EXPECT_EQ(At(28, 9), MakeRgb(247, 77, 77));  // (2 * picture + face) / 3
  EXPECT_EQ(At(31, 9), MakeRgb(237, 237, 237));
}

TEST_F(Type9PictureTest, HoverLiftsThePictureOverItsShadow) {
  StartWithIcon();
  rig.Hover();
  EXPECT_EQ(At(27, 8), kDark);  // picture at (26, 8), unfaded
  EXPECT_EQ(At(31, 8), kLight);
  EXPECT_EQ(At(26, 8), kFace);         // its transparent corner
  EXPECT_EQ(At(33, 15), kSoftShadow);  // the shadow at (28, 10) shows below and right
  EXPECT_EQ(At(32, 9), kFace);
}

TEST_F(Type9PictureTest, DownDrawsThePictureInPlaceUnfaded) {
  StartWithIcon();
  rig.button.OnKeyDown(kKeySpace, 0);
  EXPECT_EQ(At(28, 9), kDark);
  EXPECT_EQ(At(31, 9), kLight);
  EXPECT_EQ(At(27, 9), kFace);
}

TEST_F(Type9PictureTest, DisabledShowsASilhouetteOfTheDarkPixelsOnly) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteBool("ENAB", false);
  StartWithIcon(stored);
  EXPECT_EQ(At(28, 9), 0xCFCFCFu);  // shadow + 6 (13 halved)
  EXPECT_EQ(At(29, 14), 0xCFCFCFu);
  EXPECT_EQ(At(31, 9), kFace);  // light pixels are left out
  EXPECT_EQ(At(27, 9), kFace);
}

TEST_F(Type9PictureTest, WithoutTheMaskEveryPixelIsPainted) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteBool("UMCOL", false);
  stored.WriteColour("MCOL", 0xFFFFFF);
  StartWithIcon(stored);
  rig.button.OnKeyDown(kKeySpace, 0);
  EXPECT_EQ(At(27, 9), 0xFFFFFFu);  // the icon's background, the mask colour, shows
}

TEST_F(Type9PictureTest, AnEmptyCaptionCentresThePicture) {
  StartWithIcon(CommandButtonProperties("  "));
  EXPECT_EQ(rig.button.Layout().picture.x, 37);
  EXPECT_EQ(rig.button.Layout().picture.y, 9);
  rig.button.OnKeyDown(kKeySpace, 0);
  EXPECT_EQ(At(38, 9), kDark);
}

TEST_F(Type9PictureTest, AnUnknownPictureIsNotDrawnAndTakesNoRoom) {
  PropertyBag stored = CommandButtonProperties();
  stored.WriteText("PICN", "missing");
  Start(stored);
  EXPECT_EQ(rig.button.PictureSize().width, 0);
  EXPECT_EQ(rig.canvas.Texts().at(0).rect, (Rect{34, 6, 46, 18}));
}

// The sound file's Browse button: type 8, hard bevel.
class Type8Test : public Type9Test {
 protected:
  void SetUp() override {
    PropertyBag stored = CommandButtonProperties();
    stored.WriteInt("BTYPE", 8);
    stored.WriteBool("SOFT", false);
    stored_ = stored;
  }
  PropertyBag stored_;
  static constexpr Rgb kHighlight = 0xFFFFFF, kShadow = 0xA9A9A9;
};

TEST_F(Type8Test, UpIsFlat) {
  Start(stored_);
  EXPECT_EQ(At(0, 0), kFace);
  EXPECT_EQ(At(79, 23), kFace);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), 0x000000u);
}

TEST_F(Type8Test, HoverRaisesASingleFrame) {
  Start(stored_);
  rig.Hover();
  EXPECT_EQ(At(0, 0), kHighlight);
  EXPECT_EQ(At(40, 0), kHighlight);
  EXPECT_EQ(At(0, 12), kHighlight);
  EXPECT_EQ(At(79, 0), kShadow);
  EXPECT_EQ(At(79, 12), kShadow);
  EXPECT_EQ(At(40, 23), kShadow);
  EXPECT_EQ(At(0, 23), kShadow);
  EXPECT_EQ(At(1, 1), kFace);  // single: no inner ring
  EXPECT_EQ(At(78, 22), kFace);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), 0x000000u);
}

TEST_F(Type8Test, DownSinksTheFrameAndShiftsTheCaption) {
  Start(stored_);
  rig.Hover();
  rig.button.OnMouseDown(kLeftButton, 0, 5, 5);
  EXPECT_EQ(At(0, 0), kShadow);
  EXPECT_EQ(At(40, 0), kShadow);
  EXPECT_EQ(At(79, 12), kHighlight);
  EXPECT_EQ(At(40, 23), kHighlight);
  EXPECT_EQ(At(1, 1), kFace);  // no darker fill for type 8
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x000000u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kFace);
}

TEST_F(Type8Test, DisabledEngravesTheCaption) {
  stored_.WriteBool("ENAB", false);
  Start(stored_);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kShadow);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kHighlight);
  EXPECT_EQ(At(0, 0), kFace);
}

TEST_F(Type8Test, FocusedAndChecked) {
  stored_.WriteBool("CHECK", true);
  stored_.WriteBool("VALUE", true);
  Start(stored_);
  rig.button.OnFocus(true);
  EXPECT_EQ(At(0, 0), kShadow);
  EXPECT_EQ(At(79, 23), kHighlight);
  EXPECT_EQ(At(4, 3), kInverted);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x000000u);
}

}  // namespace
}  // namespace quellix::controls::testing
