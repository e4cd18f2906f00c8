// The look of each button type in its up (with or without hover), down and disabled state.
// Each runs after the face fill and before the picture.

#include <cmath>

#include "controls/button_painter.h"

namespace quellix::controls {
namespace {

// Colours of type 3's inner ring.
struct Ring {
  Rgb fill, bottom, top_outer, top_inner, sides;
};
constexpr Ring kWarmRing{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};  // hovering
constexpr Ring kCoolRing{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};  // default button
constexpr Rgb kType3Outline = 0x733C00, kType3Corner = 0x7B4D10;
constexpr Rgb kType5FocusOutline = 0xCC9999;

// The step of a row gradient: -(span / H) * r, rounded half to even.
int RowStep(int span, int height, int row) {
  return -static_cast<int>(std::nearbyint(static_cast<double>(span) / height * row));
}

}  // namespace

void ButtonPainter::UpLook() {
  const bool hover = in_.hovering;
  const int caption = hover ? 1 : 0;
  switch (in_.button_type) {
    case 1:
      TextStyle(caption);
      Frame(p_.highlight, p_.shadow, p_.highlight, p_.shadow, -1, false);
      Outline(p_.dark_shadow);
      Focus();
      break;
    case 2:
      TextStyle(caption);
      if (in_.show_focus && in_.default_button) {
        Frame(p_.highlight, p_.dark_shadow, p_.light, p_.shadow, -1, false);
        Focus();
        Outline(p_.dark_shadow);
      } else {
        Frame(p_.highlight, p_.dark_shadow, p_.light, p_.shadow, 0, false);
      }
      break;
    case 3:
      Type3Up();
      break;
    case 4:
      TextStyle(caption);
      Type4Box(p_.shadow, hover ? p_.highlight : p_.light);
      Focus();
      break;
    case 5:
      FillToEdges(1, 1, Off(p_.face, 12));
      TextStyle(caption);
      Outline(1, 1, w_, h_, p_.highlight);  // only its top and left edges fall inside
      Outline(0, 0, w_ - 1, h_ - 1, Off(p_.shadow, -26));
      canvas_.SetPixel({1, h_ - 2}, Off(p_.shadow, 26));
      canvas_.SetPixel({w_ - 2, 1}, Off(p_.shadow, 26));
      Type5Focus();
      break;
    case 6:
      TextStyle(caption);
      Frame(Off(p_.light, 8), p_.shadow, Off(p_.light, 8), p_.shadow, 0, false);
      Focus();
      break;
    case 7:
      TextStyle(caption);
      SingleFrame(p_.highlight, p_.shadow);
      Focus();
      break;
    case 8:
      TextStyle(caption);
      if (hover) SingleFrame(p_.highlight, p_.shadow);
      Focus();
      break;
    case 9:
      if (hover) FillToEdges(1, 1, p_.accent_tint);
      TextStyle(caption);
      if (hover) Outline(p_.accent);
      Focus();
      break;
    case 11:
      if (in_.background) canvas_.WritePixels({0, 0}, *in_.background);
      TextStyle(caption);
      Focus();
      break;
    case 12:
      TextStyle(caption);
      if (hover) Frame(p_.highlight, p_.dark_shadow, p_.light, p_.shadow, 0, false);
      Focus();
      break;
    case 13:
      canvas_.Ellipse({0, 0, w_, h_}, hover ? p_.shadow : p_.face, 2, p_.face);
      TextStyle(caption);
      break;
    case 14:
      if (hover)
        canvas_.FillRect({0, 0, w_, h_}, p_.light);
      else
        Type14Rows();
      TextStyle(caption);
      Type14Outlines();
      Focus();
      break;
    default:
      break;  // type 10 and unknown types: the face alone
  }
}

void ButtonPainter::DownLook() {
  switch (in_.button_type) {
    case 1:
      TextStyle(2);
      Frame(p_.shadow, p_.highlight, p_.shadow, p_.highlight, -1, false);
      Outline(p_.dark_shadow);
      Focus();
      break;
    case 2:
      TextStyle(2);
      if (in_.show_focus && in_.default_button) {
        Outline(p_.dark_shadow);
        Outline(1, 1, w_ - 2, h_ - 2, p_.shadow);
        Focus();
      } else {
        Frame(p_.dark_shadow, p_.highlight, p_.shadow, p_.light, 0, false);
      }
      break;
    case 3:
      for (int r = 1; r <= h_; ++r) Line(0, r, w_, r, Off(p_.soft_face, -32 - RowStep(25, h_, r), true));
      TextStyle(2);
      Outline(kType3Outline);
      CornerPixels(1, kType3Corner);
      Focus();
      break;
    case 4:
      TextStyle(2);
      Type4Box(p_.dark_shadow, p_.shadow);
      Focus();
      break;
    case 5:
      Fill(1, 1, w_ - 2, h_ - 2, Off(p_.shadow, 16));
      Outline(0, 0, w_ - 1, h_ - 1, Off(p_.shadow, -26));
      Line(w_ - 1, 1, w_ - 1, h_, p_.highlight);
      Line(1, h_ - 1, w_ - 1, h_ - 1, p_.highlight);
      Caption(in_.layout.text, p_.hover_text);
      Type5Focus();
      break;
    case 6:
      TextStyle(2);
      Frame(p_.shadow, Off(p_.light, 8), p_.shadow, Off(p_.light, 8), 0, false);
      Focus();
      break;
    case 7:
    case 8:
      TextStyle(2);
      SingleFrame(p_.shadow, p_.highlight);
      Focus();
      break;
    case 9:
      if (in_.hovering)
        canvas_.FillRect({0, 0, w_, h_},
                         in_.scheme == kSchemeCustom ? Off(p_.accent_tint, -32) : Tint(p_.accent, 128));
      TextStyle(2);
      Outline(p_.accent);
      Focus();
      break;
    case 11:
      if (in_.background) canvas_.WritePixels({0, 0}, *in_.background);
      TextStyle(2);
      Focus();
      break;
    case 12:
      TextStyle(2);
      Frame(p_.dark_shadow, p_.highlight, p_.shadow, p_.light, 0, false);
      Focus();
      break;
    case 13:
      canvas_.Ellipse({0, 0, w_, h_}, p_.dark_shadow, 2, Off(p_.face, -32));
      TextStyle(2);
      break;
    case 14:
      FillToEdges(1, 1, Off(p_.face, -9));
      Outline(Off(p_.shadow, -48));
      Line(2, h_ - 2, w_ - 2, h_ - 2, p_.highlight);
      Line(w_ - 2, 2, w_ - 2, h_ - 1, p_.highlight);
      TextStyle(7);
      Focus();
      break;
    default:
      break;
  }
}

void ButtonPainter::DisabledLook() {
  switch (in_.button_type) {
    case 1:
      TextStyle(3);
      Frame(p_.highlight, p_.shadow, p_.highlight, p_.shadow, -1, false);
      Outline(p_.dark_shadow);
      break;
    case 2:
      TextStyle(3);
      Frame(p_.highlight, p_.dark_shadow, p_.light, p_.shadow, 0, false);
      break;
    case 3:
      canvas_.FillRect({0, 0, w_, h_}, Off(p_.soft_face, -24, true));
      TextStyle(5);
      Outline(Off(p_.soft_face, -84, true));
      CornerPixels(1, Off(p_.soft_face, -72, true));
      break;
    case 4:
      TextStyle(3);
      Outline(p_.shadow);
      break;
    case 5:
      TextStyle(4);
      Outline(p_.shadow);
      break;
    case 6:
      TextStyle(4);
      Frame(Off(p_.light, 8), p_.shadow, Off(p_.light, 8), p_.shadow, 0, false);
      break;
    case 7:
      TextStyle(3);
      SingleFrame(p_.highlight, p_.shadow);
      break;
    case 8:
    case 12:
    case 13:
      TextStyle(3);
      break;
    case 9:
      TextStyle(4);
      break;
    case 11:
      if (in_.background) canvas_.WritePixels({0, 0}, *in_.background);
      TextStyle(3);
      break;
    case 14:
      Type14Rows();
      Type14Outlines();
      TextStyle(6);
      break;
    default:
      break;
  }
}

// Type 3: a soft-face gradient inside a dark blue outline, with an inner ring that glows warm
// under the mouse and cool on the default button.
void ButtonPainter::Type3Up() {
  for (int r = 1; r <= h_; ++r) Line(0, r, w_, r, Off(p_.soft_face, RowStep(25, h_, r), true));
  TextStyle(in_.hovering ? 1 : 0);
  Outline(kType3Outline);
  CornerPixels(1, kType3Corner);
  Type3Ring();
  Focus();
}

void ButtonPainter::Type3Ring() {
  if (in_.hovering || in_.default_button) {
    const Ring& ring = in_.hovering ? kWarmRing : kCoolRing;
    Outline(1, 2, w_ - 2, h_ - 4, ring.fill);
    Line(2, h_ - 2, w_ - 2, h_ - 2, ring.bottom);
    Line(2, 1, w_ - 2, 1, ring.top_outer);
    Line(2, 2, w_ - 2, 2, ring.top_inner);
    Line(1, 3, 1, h_ - 3, ring.sides);
    Line(w_ - 2, 3, w_ - 2, h_ - 3, ring.sides);
    return;
  }
  const Rgb f = p_.soft_face;
  Line(2, h_ - 2, w_ - 2, h_ - 2, Off(f, -48, true));
  Line(3, h_ - 3, w_ - 3, h_ - 3, Off(f, -32, true));
  Line(w_ - 2, 2, w_ - 2, h_ - 2, Off(f, -36, true));
  Line(w_ - 3, 3, w_ - 3, h_ - 3, Off(f, -24, true));
  Line(2, 1, w_ - 2, 1, Off(f, 16, true));
  Line(3, 2, w_ - 3, 2, Off(f, 10, true));
  Line(1, 2, 1, h_ - 2, Off(f, -5, true));
  Line(2, 3, 2, h_ - 3, Off(f, -10, true));
}

// Type 4: an outline, a box one pixel inside it, and dark corner pixels that round it off.
void ButtonPainter::Type4Box(Rgb outline, Rgb box) {
  Outline(outline);
  Outline(1, 1, w_ - 2, h_ - 2, box);
  CornerPixels(1, p_.dark_shadow);
}

void ButtonPainter::Type5Focus() {
  if (!in_.show_focus || !in_.focused) return;
  const Rect& t = in_.layout.text;
  Outline(t.left - 2, t.top - 1, t.Width() + 4, t.Height() + 2, kType5FocusOutline);
}

void ButtonPainter::Type14Rows() {
  for (int r = 1; r <= h_; ++r) Line(0, r, w_, r, Off(p_.highlight, RowStep(58, h_, r)));
}

void ButtonPainter::Type14Outlines() {
  Outline(Off(p_.shadow, -50));
  Outline(1, 1, w_ - 2, h_ - 2, Off(p_.face, -9));
  Fill(2, 2, w_ - 4, 2, p_.highlight);
  Fill(2, 4, 2, h_ - 6, p_.highlight);
}

}  // namespace quellix::controls
