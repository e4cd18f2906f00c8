// The looks of the other button types, in the fixed grey scheme (face 0xC0C0C0, shadow
// 0x808080, light 0xDFDFDF, highlight white, dark shadow black), the pixels that tell each
// apart; caption styles and effects; the layout of caption and picture; window shapes.

#include <gtest/gtest.h>

#include "drawn_button_rig.h"

namespace quellix::controls::testing {
namespace {

constexpr Rgb kFace = 0xC0C0C0, kShadow = 0x808080, kLight = 0xDFDFDF, kWhite = 0xFFFFFF, kBlack = 0x000000;
// Caption pixels of "OK" on an 80 x 24 button (see drawn_button_paint_test.cpp).
constexpr int kUpOnlyX = 35, kUpOnlyY = 8, kPressedOnlyX = 39, kPressedOnlyY = 15;

PropertyBag Fixed(int type, const std::string& caption = "OK") {
  PropertyBag bag;
  bag.WriteInt("BTYPE", type);
  bag.WriteText("TX", caption);
  bag.WriteInt("COLTYPE", 3);
  return bag;
}

class LooksTest : public ::testing::Test {
 protected:
  void Start(int type) { rig.Start(Fixed(type)); }
  void Start(const PropertyBag& stored) { rig.Start(stored); }
  void Press() { rig.button.OnKeyDown(kKeySpace, 0); }
  void Disable() { rig.button.SetEnabled(false); }
  Rgb At(int x, int y) const { return rig.At(x, y); }
  ButtonRig rig;
};

TEST_F(LooksTest, Type1BevelsInsideADarkOutline) {
  Start(1);
  EXPECT_EQ(At(40, 0), kBlack);
  EXPECT_EQ(At(40, 1), kWhite);
  EXPECT_EQ(At(40, 2), kWhite);
  EXPECT_EQ(At(40, 22), kShadow);
  EXPECT_EQ(At(77, 12), kShadow);
  EXPECT_EQ(At(79, 12), kBlack);
  Press();
  EXPECT_EQ(At(40, 1), kShadow);
  EXPECT_EQ(At(40, 22), kWhite);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kBlack);
  Disable();
  EXPECT_EQ(At(40, 1), kWhite);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kShadow);  // engraved caption
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kWhite);
}

TEST_F(LooksTest, Type2IsTheClassicDoubleFrame) {
  Start(2);
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(1, 1), kLight);
  EXPECT_EQ(At(79, 23), kBlack);
  EXPECT_EQ(At(78, 22), kShadow);
  EXPECT_EQ(At(0, 23), kBlack);
  rig.button.OnFocus(true);
  EXPECT_EQ(At(5, 4), kFace);  // no focus rectangle unless it is the default button
  Press();
  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_EQ(At(1, 1), kShadow);
  EXPECT_EQ(At(78, 22), kLight);
  EXPECT_EQ(At(79, 23), kWhite);
}

TEST_F(LooksTest, Type2AsTheDefaultButtonAddsAnOutlineAndTheFocus) {
  rig.window.default_button = true;
  Start(2);
  rig.button.OnFocus(true);
  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_EQ(At(1, 1), kWhite);
  EXPECT_EQ(At(2, 2), kLight);
  EXPECT_EQ(At(5, 4), kFace ^ kWhite);  // focus rectangle 4 pixels in
  Press();
  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_EQ(At(1, 1), kShadow);
  EXPECT_EQ(At(78, 22), kShadow);
}

TEST_F(LooksTest, Type3GlowsWarmUnderTheMouseAndCoolAsTheDefault) {
  Start(3);
  EXPECT_EQ(At(40, 0), 0x733C00u);
  EXPECT_EQ(At(1, 1), 0x7B4D10u);
  EXPECT_EQ(At(78, 22), 0x7B4D10u);
  const Rgb plain = At(40, 1);
  rig.Hover();
  EXPECT_EQ(At(40, 1), 0xCEF3FFu);
  EXPECT_EQ(At(40, 22), 0x0096E7u);
  rig.Leave();
  EXPECT_EQ(At(40, 1), plain);
  rig.window.default_button = true;
  rig.button.Refresh();
  EXPECT_EQ(At(40, 1), 0xFFE7CEu);
  Disable();
  // soft face 0xF0F0F0 darkened proportionally: by 24 (blue by 30), by 84 (blue by 105)
  EXPECT_EQ(At(10, 12), MakeRgb(216, 216, 210));
  EXPECT_EQ(At(40, 0), MakeRgb(156, 156, 135));
}

TEST_F(LooksTest, Type4HasALightInnerBoxWithDarkCorners) {
  Start(4);
  EXPECT_EQ(At(40, 0), kShadow);
  EXPECT_EQ(At(40, 1), kLight);
  EXPECT_EQ(At(1, 1), kBlack);
  rig.Hover();
  EXPECT_EQ(At(40, 1), kWhite);
  Press();
  EXPECT_EQ(At(40, 0), kBlack);
  EXPECT_EQ(At(40, 1), kShadow);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kLight);  // type 4 presses its caption in light
}

TEST_F(LooksTest, Type5IsLighterWithATwoToneEdge) {
  Start(5);
  EXPECT_EQ(At(0, 0), 0x666666u);
  EXPECT_EQ(At(78, 12), 0x666666u);
  EXPECT_EQ(At(40, 1), kWhite);
  EXPECT_EQ(At(1, 12), kWhite);
  EXPECT_EQ(At(79, 12), 0xCCCCCCu);  // face + 12 beyond the outline
  EXPECT_EQ(At(10, 12), 0xCCCCCCu);
  EXPECT_EQ(At(1, 22), 0x9A9A9Au);
  EXPECT_EQ(At(78, 1), 0x9A9A9Au);
  rig.button.OnFocus(true);
  EXPECT_EQ(At(32, 5), 0xCC9999u);  // the text outline stands in for the focus rectangle
  EXPECT_EQ(At(4, 4), 0xCCCCCCu);
  Press();
  EXPECT_EQ(At(10, 12), 0x909090u);
  EXPECT_EQ(At(79, 12), kWhite);
  EXPECT_EQ(At(40, 23), kWhite);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kBlack);  // caption not shifted
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x909090u);
  EXPECT_EQ(At(32, 5), 0xCC9999u);
}

TEST_F(LooksTest, Type6UsesALighterRaisedDoubleFrame) {
  Start(6);
  EXPECT_EQ(At(0, 0), 0xE7E7E7u);
  EXPECT_EQ(At(1, 1), 0xE7E7E7u);
  EXPECT_EQ(At(79, 23), kShadow);
  Press();
  EXPECT_EQ(At(0, 0), kShadow);
  EXPECT_EQ(At(79, 23), 0xE7E7E7u);
  Disable();
  EXPECT_EQ(At(0, 0), 0xE7E7E7u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kShadow);
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kFace);
}

TEST_F(LooksTest, Type7HasASingleFrameAlways) {
  Start(7);
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(79, 23), kShadow);
  EXPECT_EQ(At(1, 1), kFace);
  Press();
  EXPECT_EQ(At(0, 0), kShadow);
  Disable();
  EXPECT_EQ(At(0, 0), kWhite);
}

TEST_F(LooksTest, Type9InAnotherSchemeUsesTheSelectionColours) {
  Start(9);
  rig.Hover();
  EXPECT_EQ(At(0, 0), 0x800000u);
  EXPECT_EQ(At(1, 1), 0xD1ADADu);
  rig.button.OnMouseDown(kLeftButton, 0, 1, 1);
  EXPECT_EQ(At(1, 1), 0xBF8080u);  // Tint(accent, 128)
}

TEST_F(LooksTest, Type10ShowsOnlyItsFace) {
  Start(10);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kFace);
  EXPECT_EQ(At(0, 0), kFace);
  EXPECT_TRUE(rig.canvas.Texts().empty());
  Press();
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kFace);
}

TEST_F(LooksTest, Type12RaisesAndSinksOnlyUnderTheMouse) {
  Start(12);
  EXPECT_EQ(At(0, 0), kFace);
  rig.Hover();
  EXPECT_EQ(At(0, 0), kWhite);
  EXPECT_EQ(At(1, 1), kLight);
  EXPECT_EQ(At(79, 23), kBlack);
  rig.button.OnMouseDown(kLeftButton, 0, 1, 1);
  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_EQ(At(1, 1), kShadow);
  EXPECT_EQ(At(79, 23), kWhite);
}

TEST_F(LooksTest, Type13IsAnEllipse) {
  Start(13);
  EXPECT_EQ(At(0, 12), kFace);
  rig.Hover();
  EXPECT_EQ(At(0, 12), kShadow);
  EXPECT_EQ(At(0, 0), kFace);  // outside the ellipse
  rig.button.OnMouseDown(kLeftButton, 0, 1, 1);
  EXPECT_EQ(At(0, 12), kBlack);
  EXPECT_EQ(At(10, 12), 0xA0A0A0u);
  EXPECT_EQ(At(0, 0), kFace);
}

TEST_F(LooksTest, Type14ShadesRowByRow) {
  Start(14);
  EXPECT_EQ(At(20, 12), 0xE2E2E2u);  // white - round(58 / 24 * 12)
  EXPECT_EQ(At(20, 20), 0xCFCFCFu);  // white - round(48.33)
  EXPECT_EQ(At(0, 0), 0x4E4E4Eu);
  EXPECT_EQ(At(1, 1), 0xB7B7B7u);
  EXPECT_EQ(At(40, 2), kWhite);
  EXPECT_EQ(At(2, 12), kWhite);
  rig.Hover();
  EXPECT_EQ(At(20, 12), kLight);
  Press();
  EXPECT_EQ(At(20, 12), 0xB7B7B7u);
  EXPECT_EQ(At(0, 0), 0x505050u);
  EXPECT_EQ(At(40, 22), kWhite);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kWhite);  // style 7
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), 0x4E4E4Eu);
  Disable();
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kFace);  // style 6: caption in face over highlight
  EXPECT_EQ(At(kPressedOnlyX, kPressedOnlyY), kWhite);
}

TEST_F(LooksTest, Type11DrawsItsCaptionOverTheParent) {
  rig.window.parent = platform::PixelBlock(80, 24, 0x336699);
  Start(11);
  EXPECT_EQ(At(10, 12), 0x336699u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kBlack);
  Disable();
  EXPECT_EQ(At(10, 12), 0x336699u);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kShadow);
}

TEST_F(LooksTest, SpecialEffectsShadowTheCaption) {
  PropertyBag stored = Fixed(8);
  stored.WriteInt("FX", 1);
  Start(stored);
  EXPECT_EQ(At(39, 15), 0x989898u);  // face - 40 one pixel down-right
  EXPECT_EQ(At(34, 7), 0xE8E8E8u);   // face + 40 one pixel up-left
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kBlack);
  rig.button.SetSpecialEffect(2);
  EXPECT_EQ(At(39, 15), 0xE8E8E8u);
  EXPECT_EQ(At(34, 7), 0x989898u);
  rig.button.SetSpecialEffect(3);
  EXPECT_EQ(At(39, 15), 0x989898u);
  EXPECT_EQ(At(34, 7), kFace);  // one-sided
  rig.button.SetSpecialEffect(9);
  EXPECT_EQ(At(34, 7), kFace);
}

TEST_F(LooksTest, UnknownTypesAndStatesPaintOnlyTheFace) {
  Start(0);
  EXPECT_EQ(At(kUpOnlyX, kUpOnlyY), kFace);
  Start(15);
  EXPECT_EQ(At(0, 0), kFace);
}

// Pictures on other types: a 4 x 4 bitmap, dark at the top-left pixel, light elsewhere.
class PictureLooksTest : public LooksTest {
 protected:
  void StartWith(int type, bool with_over = false) {
    platform::PixelBlock picture(4, 4, 0xF0F0F0);
    picture.At(0, 0) = 0x0000FF;
    rig.canvas.AddBitmap("pic", picture);
    rig.canvas.AddBitmap("over", platform::PixelBlock(4, 4, 0x00FF00));
    PropertyBag stored = Fixed(type);
    stored.WriteText("PICN", "pic");
    if (with_over) stored.WriteText("PICH", "over");
    Start(stored);
    at = rig.button.Layout().picture;
  }
  Point at;
};

TEST_F(PictureLooksTest, OtherTypesPressThePictureDownAndRight) {
  StartWith(8);
  EXPECT_EQ(At(at.x, at.y), 0x0000FFu);
  Press();
  EXPECT_EQ(At(at.x + 1, at.y + 1), 0x0000FFu);
}

TEST_F(PictureLooksTest, Type5KeepsThePictureInPlaceWhenPressed) {
  StartWith(5);
  Press();
  EXPECT_EQ(At(at.x, at.y), 0x0000FFu);
}

TEST_F(PictureLooksTest, TheHoverPictureShowsUnderTheMouseAndPressed) {
  StartWith(8, true);
  EXPECT_EQ(At(at.x + 1, at.y), 0xF0F0F0u);
  rig.Hover();
  EXPECT_EQ(At(at.x + 1, at.y), 0x00FF00u);
  rig.button.OnMouseDown(kLeftButton, 0, 1, 1);
  EXPECT_EQ(At(at.x + 1, at.y + 1), 0x00FF00u);
}

TEST_F(PictureLooksTest, DisabledPicturesAreEngravedOrGreyed) {
  StartWith(8);
  Disable();
  EXPECT_EQ(At(at.x, at.y), kShadow);
  EXPECT_EQ(At(at.x + 1, at.y + 1), kWhite);
  EXPECT_EQ(At(at.x + 2, at.y + 2), kFace);  // light pixels leave no trace
  rig.button.SetButtonType(3);
  EXPECT_EQ(At(at.x + 1, at.y + 1), MakeRgb(76, 76, 76));  // greyscale at (x + 1, y + 1)
}

TEST_F(PictureLooksTest, GreyscaleOption) {
  StartWith(8);
  rig.button.SetUseGreyscale(true);
  EXPECT_EQ(At(at.x, at.y), MakeRgb(76, 76, 76));
  EXPECT_EQ(At(at.x + 1, at.y), Greyscale(0xF0F0F0));
}

TEST_F(PictureLooksTest, PictureBehindTheCaptionGetsTheCaptionDrawnAgain) {
  StartWith(8);
  rig.button.SetPicturePosition(kPictureBehind);
  ASSERT_EQ(rig.canvas.Texts().size(), 2u);
  EXPECT_EQ(rig.canvas.Texts()[1].colour, kBlack);
  EXPECT_EQ(rig.canvas.Texts()[1].rect, rig.canvas.Texts()[0].rect);
}

TEST(CaptionLayoutTest, FivePicturePositions) {
  sim::SimCanvas canvas;
  const platform::FontSpec font;
  const Size client{80, 24}, picture{6, 6};
  auto lay = [&](int position) { return LayOutCaption(canvas, "OK", font, client, picture, position, true); };
  EXPECT_EQ(lay(kPictureLeft).text, (Rect{37, 6, 49, 18}));
  EXPECT_EQ(lay(kPictureLeft).picture.x, 27);
  EXPECT_EQ(lay(kPictureLeft).picture.y, 9);
  EXPECT_EQ(lay(kPictureRight).text, (Rect{29, 6, 41, 18}));
  EXPECT_EQ(lay(kPictureRight).picture.x, 45);
  EXPECT_EQ(lay(kPictureTop).text, (Rect{34, 9, 46, 21}));
  EXPECT_EQ(lay(kPictureTop).picture.x, 37);
  EXPECT_EQ(lay(kPictureTop).picture.y, 1);
  EXPECT_EQ(lay(kPictureBottom).text, (Rect{34, 1, 46, 13}));
  EXPECT_EQ(lay(kPictureBottom).picture.y, 15);
  EXPECT_EQ(lay(kPictureBehind).text, (Rect{34, 6, 46, 18}));
  EXPECT_EQ(lay(kPictureBehind).picture.x, 37);
  EXPECT_EQ(lay(kPictureBehind).pressed, (Rect{35, 7, 47, 19}));
}

TEST(CaptionLayoutTest, LongCaptionsWrapAtBlanks) {
  sim::SimCanvas canvas;
  const CaptionLayout layout = LayOutCaption(canvas, "View Log File", {}, {40, 48}, {}, kPictureLeft, false);
  EXPECT_EQ(layout.text.Width(), 24);
  EXPECT_EQ(layout.text.Height(), 36);
  EXPECT_EQ(canvas.MeasureText("A&&B &Save", {0, 0, 100, 20}, {}).Width(), 8 * 6);
}

bool Inside(const platform::Region& region, int x, int y) {
  for (const Rect& r : region.rectangles)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

TEST(ButtonRegionTest, CornersPerType) {
  const Size client{80, 24};
  const auto square = ButtonRegion(9, client);
  EXPECT_EQ(square.rectangles, (std::vector<Rect>{{0, 0, 80, 24}}));

  const auto type1 = ButtonRegion(1, client);
  EXPECT_FALSE(Inside(type1, 0, 0));
  EXPECT_FALSE(Inside(type1, 79, 23));
  EXPECT_TRUE(Inside(type1, 1, 0));
  EXPECT_TRUE(Inside(type1, 0, 1));
  EXPECT_EQ(type1.rectangles.size(), 3u);
  EXPECT_EQ(ButtonRegion(14, client), type1);

  const auto type5 = ButtonRegion(5, client);
  EXPECT_TRUE(Inside(type5, 0, 0));
  EXPECT_FALSE(Inside(type5, 79, 0));
  EXPECT_FALSE(Inside(type5, 0, 23));
  EXPECT_TRUE(Inside(type5, 79, 23));

  const auto rounded = ButtonRegion(3, client);
  for (auto [x, y] :
       {std::pair{0, 0}, {1, 0}, {0, 1}, {78, 0}, {79, 1}, {0, 22}, {1, 23}, {79, 22}, {78, 23}})
    EXPECT_FALSE(Inside(rounded, x, y)) << x << "," << y;
  for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {0, 2}, {77, 23}, {78, 22}})
    EXPECT_TRUE(Inside(rounded, x, y));
  EXPECT_EQ(ButtonRegion(4, client), rounded);

  const auto ellipse = ButtonRegion(13, client);
  EXPECT_TRUE(ellipse.ellipse);
  EXPECT_EQ(ellipse.bounds, (Rect{0, 0, 80, 24}));
}

TEST(ButtonRegionTest, TinyAndEmptyButtons) {
  EXPECT_TRUE(ButtonRegion(1, {0, 0}).rectangles.empty());
  EXPECT_TRUE(ButtonRegion(1, {1, 1}).rectangles.empty());
  EXPECT_EQ(ButtonRegion(3, {2, 2}).rectangles.size(), 0u);
  EXPECT_TRUE(ButtonRegion(9, {-5, 10}).rectangles.empty());
}

}  // namespace
}  // namespace quellix::controls::testing
