// Colour arithmetic and palettes of the drawn button, at their corners.

#include <gtest/gtest.h>

#include "controls/button_palette.h"
#include "controls/picture_blitter.h"

namespace quellix::controls {
namespace {

using platform::SystemColor;

Rgb System(SystemColor c) {
  switch (c) {
    case SystemColor::kHighlight:
      return 0x6A240A;
    case SystemColor::kButtonFace:
      return 0xC8D0D4;
    case SystemColor::kButtonShadow:
      return 0x808080;
    case SystemColor::kButtonText:
      return 0x000001;
    case SystemColor::kButtonHighlight:
      return 0xFFFFFE;
    case SystemColor::kDarkShadow:
      return 0x404040;
    case SystemColor::kLight:
      return 0xC8D0D5;
  }
  return 0;
}

Palette Custom(Rgb face, bool soft, int type = 9) {
  PaletteSource source;
  source.scheme = kSchemeCustom;
  source.button_type = type;
  source.soft = soft;
  source.back = face;
  source.back_over = 0x111111;
  source.fore = 0x222222;
  source.fore_over = 0x333333;
  source.mask = 0xFFFFFF;
  return ComputePalette(source, System);
}

TEST(DrawnButtonPaletteTest, OffsetMovesEveryChannelAndClampsByTheSignOfTheAmount) {
  EXPECT_EQ(Offset(0x102030, 16, false), 0x203040u);
  EXPECT_EQ(Offset(0xF0F8FF, 47, false), 0xFFFFFFu);
  EXPECT_EQ(Offset(0x101040, -64, false), 0x000000u);
  EXPECT_EQ(Offset(0x804020, -0x30, false), 0x501000u);
}

TEST(DrawnButtonPaletteTest, SoftBevelHalvesTheAmountTowardsZero) {
  EXPECT_EQ(Offset(0x808080, -64, true), 0x606060u);
  EXPECT_EQ(Offset(0x808080, -25, true), 0x747474u);  // -12, not -13
  EXPECT_EQ(Offset(0x808080, 25, true), 0x8C8C8Cu);
  EXPECT_EQ(Offset(0x808080, 1, true), 0x808080u);
}

TEST(DrawnButtonPaletteTest, ProportionalOffsetScalesOnlyTheBlueChannel) {
  // Blue 96 moves by 48 * 96 / 192 = 24, red and green by 48.
  EXPECT_EQ(Offset(MakeRgb(10, 20, 96), 48, false, true), MakeRgb(58, 68, 120));
  // -25 * 100 / 192 is -13 (towards zero, not -14).
  EXPECT_EQ(Offset(MakeRgb(100, 100, 100), -25, false, true), MakeRgb(75, 75, 87));
  // Soft: -12 * 100 / 192 = -6.
  EXPECT_EQ(Offset(MakeRgb(100, 100, 100), -25, true, true), MakeRgb(88, 88, 94));
  EXPECT_EQ(Offset(MakeRgb(0, 0, 0), 48, false, true), MakeRgb(48, 48, 0));
  EXPECT_EQ(Offset(MakeRgb(0, 0, 250), 48, false, true), MakeRgb(48, 48, 255));
}

TEST(DrawnButtonPaletteTest, TintMovesTowardsWhite) {
  EXPECT_EQ(Tint(0x800000, 176), 0xD7B0B0u);  // 176 + 79 * 128 / 255 = 215 in blue
  EXPECT_EQ(Tint(0x000000, 128), 0x808080u);
  EXPECT_EQ(Tint(0xFFFFFF, 128), 0xFFFFFFu);
}

TEST(DrawnButtonPaletteTest, CustomSchemeDerivesEdgesFromTheFace) {
  const Palette p = Custom(0xE9E9E9, false);
  EXPECT_EQ(p.face, 0xE9E9E9u);
  EXPECT_EQ(p.hover_face, 0x111111u);
  EXPECT_EQ(p.text, 0x222222u);
  EXPECT_EQ(p.hover_text, 0x333333u);
  EXPECT_EQ(p.shadow, 0xA9A9A9u);
  EXPECT_EQ(p.light, 0xFFFFFFu);  // 233 + 31 stops at 255
  EXPECT_EQ(p.highlight, 0xFFFFFFu);
  EXPECT_EQ(p.dark_shadow, 0x292929u);
  EXPECT_EQ(p.accent, 0x696969u);
  EXPECT_EQ(p.accent_tint, 0xE9E9E9u);
  EXPECT_EQ(p.mask, 0xFFFFFFu);
  EXPECT_EQ(p.soft_face, 0xFFFFFFu);
}

TEST(DrawnButtonPaletteTest, SoftBevelHalvesTheCustomSchemesOffsets) {
  const Palette p = Custom(0xE9E9E9, true);
  EXPECT_EQ(p.shadow, 0xC9C9C9u);  // darkened by 32, not 64
  EXPECT_EQ(p.light, 0xF8F8F8u);
  EXPECT_EQ(p.dark_shadow, 0x898989u);
  EXPECT_EQ(p.accent, 0xA9A9A9u);  // 128 halved to 64
}

TEST(DrawnButtonPaletteTest, WhiteFaceKeepsWhiteLightsAndDarkensTheShadow) {
  const Palette hard = Custom(0xFFFFFF, false);
  EXPECT_EQ(hard.highlight, 0xFFFFFFu);
  EXPECT_EQ(hard.light, 0xFFFFFFu);
  EXPECT_EQ(hard.shadow, 0xBFBFBFu);
  EXPECT_EQ(hard.dark_shadow, 0x3F3F3Fu);
  EXPECT_EQ(Custom(0xFFFFFF, true).shadow, 0xDFDFDFu);
}

TEST(DrawnButtonPaletteTest, BlackFaceClampsEveryDarkeningAtZero) {
  const Palette p = Custom(0x000000, false);
  EXPECT_EQ(p.shadow, 0u);
  EXPECT_EQ(p.dark_shadow, 0u);
  EXPECT_EQ(p.accent, 0u);
  EXPECT_EQ(p.highlight, 0x2F2F2Fu);
}

TEST(DrawnButtonPaletteTest, SoftFaceIsProportionalOnlyForType3) {
  const Rgb face = MakeRgb(100, 100, 96);
  EXPECT_EQ(Custom(face, false, 3).soft_face, MakeRgb(148, 148, 120));
  EXPECT_EQ(Custom(face, false, 9).soft_face, MakeRgb(148, 148, 144));
}

TEST(DrawnButtonPaletteTest, SystemFixedAndParentSchemes) {
  PaletteSource source;
  source.scheme = kSchemeSystem;
  Palette p = ComputePalette(source, System);
  EXPECT_EQ(p.face, 0xC8D0D4u);
  EXPECT_EQ(p.hover_face, 0xC8D0D4u);
  EXPECT_EQ(p.text, 0x000001u);
  EXPECT_EQ(p.shadow, 0x808080u);
  EXPECT_EQ(p.light, 0xC8D0D5u);
  EXPECT_EQ(p.highlight, 0xFFFFFEu);
  EXPECT_EQ(p.dark_shadow, 0x404040u);
  EXPECT_EQ(p.accent, 0x6A240Au);
  EXPECT_EQ(p.accent_tint, Tint(0x6A240A, 176));

  source.scheme = 7;  // unknown schemes follow the system
  EXPECT_EQ(ComputePalette(source, System).face, 0xC8D0D4u);

  source.scheme = kSchemeFixed;
  p = ComputePalette(source, System);
  EXPECT_EQ(p.face, 0xC0C0C0u);
  EXPECT_EQ(p.light, 0xDFDFDFu);
  EXPECT_EQ(p.accent, 0x800000u);
  EXPECT_EQ(p.accent_tint, 0xD1ADADu);

  source.scheme = kSchemeParent;
  source.parent_back = 0x808080;
  source.parent_fore = 0x0000FF;
  source.soft = true;
  p = ComputePalette(source, System);
  EXPECT_EQ(p.face, 0x808080u);
  EXPECT_EQ(p.hover_text, 0x0000FFu);
  EXPECT_EQ(p.shadow, 0x606060u);
  EXPECT_EQ(p.accent, 0x6A240Au);
}

TEST(DrawnButtonPaletteTest, SystemColourReferencesAreTranslated) {
  EXPECT_EQ(Translate(0x8000000F, System), 0xC8D0D4u);
  EXPECT_EQ(Translate(0x80000012, System), 0x000001u);
  EXPECT_EQ(Translate(0x00E6BA9D, System), 0xE6BA9Du);
  EXPECT_EQ(Translate(0x01E6BA9D, System), 0xE6BA9Du);
}

TEST(DrawnButtonPaletteTest, GreyscaleRoundsHalvesToEven) {
  EXPECT_EQ(Greyscale(MakeRgb(5, 0, 0)), MakeRgb(2, 2, 2));              // 1.5 -> 2
  EXPECT_EQ(Greyscale(MakeRgb(15, 0, 0)), MakeRgb(4, 4, 4));             // 4.5 -> 4
  EXPECT_EQ(Greyscale(MakeRgb(100, 150, 200)), MakeRgb(140, 140, 140));  // 140.5 -> 140
  EXPECT_EQ(Greyscale(0xFFFFFF), 0xFEFEFEu);                             // 76.5 -> 76, then 254.5 -> 254
}

TEST(DrawnButtonPaletteTest, FadeKeepsTwoThirdsOfThePicture) {
  EXPECT_EQ(Fade(MakeRgb(255, 0, 30), MakeRgb(233, 233, 233)), MakeRgb(247, 77, 97));
}

}  // namespace
}  // namespace quellix::controls
