#pragma once
// Paints the drawn button: the face, the look of its type in the state asked for, the
// caption in one of eight text styles, special effects, pictures and the focus rectangle.

#include <string>

#include "controls/button_layout.h"
#include "controls/button_palette.h"
#include "controls/picture_blitter.h"
#include "platform/canvas.h"

namespace quellix::controls {

// Draw states.
inline constexpr int kStateUp = 0, kStateDown = 2;

// Everything one draw needs, as the control holds it at that moment.
struct PaintInput {
  int button_type = 2;
  int scheme = kSchemeSystem;
  Size size;
  Palette palette;  // the hover palette while the mouse is over a scheme 2 button
  bool soft = false;
  bool enabled = true, hovering = false, focused = false, show_focus = true, default_button = false;
  int special_effect = 0;
  int picture_position = kPictureLeft;
  bool use_mask = true, greyscale = false;
  std::string caption;
  platform::FontSpec font;
  CaptionLayout layout;
  Rect focus;
  platform::Picture normal, over;
  Size picture_size;
  const platform::PixelBlock* background = nullptr;  // the parent's pixels behind a type 11 button
};

// Paints the whole control in `state` (kStateUp, kStateDown; any other value paints only the
// face). `last_text_style` carries the caption style from draw to draw: the caption is drawn
// again in it over a picture placed behind the caption.
void PaintButton(platform::Canvas& canvas, const PaintInput& input, int state, int& last_text_style);

class ButtonPainter {
 public:
  ButtonPainter(platform::Canvas& canvas, const PaintInput& input, int state, int& last_text_style);
  void Paint();

 private:
  // Looks of each type (button_looks.cpp).
  void UpLook();
  void DownLook();
  void DisabledLook();
  void Type3Up();
  void Type3Ring();
  void Type4Box(Rgb outline, Rgb box);
  void Type5Focus();
  void Type14Rows();
  void Type14Outlines();

  // Drawing steps shared by the looks.
  Rgb Off(Rgb colour, int amount, bool proportional = false) const {
    return Offset(colour, amount, in_.soft, proportional);
  }
  void Fill(int x, int y, int w, int h, Rgb colour);
  void FillToEdges(int x, int y, Rgb colour);
  void Outline(Rgb colour) { Outline(0, 0, w_, h_, colour); }
  void Outline(int x, int y, int w, int h, Rgb colour);
  void Line(int x1, int y1, int x2, int y2, Rgb colour);
  void Frame(Rgb outer_tl, Rgb outer_br, Rgb inner_tl, Rgb inner_br, int inset, bool single);
  void SingleFrame(Rgb tl, Rgb br) { Frame(tl, br, 0, 0, 0, true); }
  void Focus();
  void CornerPixels(int in, Rgb colour);

  // Caption.
  void TextStyle(int style);
  void Caption(const Rect& at, Rgb colour);
  void CaptionEffect(const Rect& at);

  // Pictures (picture modes 0 up, 1 down, 2 disabled).
  void Pictures(int mode);
  const PixelBlock& Rendered(const platform::Picture& picture);
  void Blit(const platform::Picture& picture, Point at, const BlitStyle& style);
  void PictureEffect(const platform::Picture& picture, Point at);

  platform::Canvas& canvas_;
  const PaintInput& in_;
  const Palette& p_;
  const int state_;
  int& last_text_style_;
  const int w_, h_;
  platform::Picture rendered_key_;
  PixelBlock rendered_;
  bool has_rendered_ = false;
};

}  // namespace quellix::controls
