#include "controls/button_painter.h"

#include <cstdlib>

namespace quellix::controls {

void PaintButton(platform::Canvas& canvas, const PaintInput& input, int state, int& last_text_style) {
  ButtonPainter(canvas, input, state, last_text_style).Paint();
}

ButtonPainter::ButtonPainter(platform::Canvas& canvas, const PaintInput& input, int state,
                             int& last_text_style)
    : canvas_(canvas),
      in_(input),
      p_(input.palette),
      state_(state),
      last_text_style_(last_text_style),
      w_(input.size.width),
      h_(input.size.height) {}

void ButtonPainter::Paint() {
  canvas_.FillRect({0, 0, w_, h_}, p_.face);
  if (!in_.enabled) {
    DisabledLook();
    Pictures(2);
  } else if (state_ == kStateDown) {
    DownLook();
    Pictures(1);
  } else if (state_ == kStateUp) {
    UpLook();
    Pictures(0);
  }
}

// --- Shared drawing steps. Rectangles given as (x, y, width, height).

void ButtonPainter::Fill(int x, int y, int w, int h, Rgb colour) {
  canvas_.FillRect({x, y, x + w, y + h}, colour);
}

void ButtonPainter::FillToEdges(int x, int y, Rgb colour) {
  canvas_.FillRect({x, y, w_, h_}, colour);
}

void ButtonPainter::Outline(int x, int y, int w, int h, Rgb colour) {
  canvas_.FrameRect({x, y, x + w, y + h}, colour);
}

void ButtonPainter::Line(int x1, int y1, int x2, int y2, Rgb colour) {
  canvas_.Line({x1, y1}, {x2, y2}, colour);
}

// The 3D frame: the outer ring |inset| pixels in from the top-left and inset - 1 ... from the
// bottom-right (a negative inset moves the whole frame in), the inner ring one pixel further in.
void ButtonPainter::Frame(Rgb outer_tl, Rgb outer_br, Rgb inner_tl, Rgb inner_br, int inset, bool single) {
  const int e = std::abs(inset), x = w_ + inset - 1, y = h_ + inset - 1;
  Line(e, y, e, e, outer_tl);
  Line(e, e, x, e, outer_tl);
  Line(x, e, x, y, outer_br);
  Line(x, y, e - 1, y, outer_br);
  if (single) return;
  Line(e + 1, y - 1, e + 1, e + 1, inner_tl);
  Line(e + 1, e + 1, x - 1, e + 1, inner_tl);
  Line(x - 1, e + 1, x - 1, y - 1, inner_br);
  Line(x - 1, y - 1, e, y - 1, inner_br);
}

void ButtonPainter::Focus() {
  if (in_.show_focus && in_.focused) canvas_.FocusRect(in_.focus, p_.text);
}

// The four pixels `in` steps in from the corners.
void ButtonPainter::CornerPixels(int in, Rgb colour) {
  canvas_.SetPixel({in, in}, colour);
  canvas_.SetPixel({w_ - 1 - in, in}, colour);
  canvas_.SetPixel({in, h_ - 1 - in}, colour);
  canvas_.SetPixel({w_ - 1 - in, h_ - 1 - in}, colour);
}

// --- Caption.

void ButtonPainter::Caption(const Rect& at, Rgb colour) {
  canvas_.DrawText(in_.caption, at, in_.font, colour);
}

void ButtonPainter::CaptionEffect(const Rect& at) {
  const int effect = in_.special_effect;
  if (effect <= 0) return;
  const int type = in_.button_type;
  Rgb base = p_.face;
  if (type == 3 || type == 4 || type == 14)
    base = p_.soft_face;
  else if (type == 9 && state_ == kStateUp && in_.hovering && in_.scheme != kSchemeCustom)
    base = p_.accent_tint;
  const int d = effect == 2 ? 40 : -40;
  Caption(at.Moved(1, 1), Off(base, d));
  if (effect == 1 || effect == 2) Caption(at.Moved(-1, -1), Off(base, -d));
}

void ButtonPainter::TextStyle(int style) {
  last_text_style_ = style;
  const Rect& text = in_.layout.text;
  const Rect& pressed = in_.layout.pressed;
  switch (style) {
    case 0:
      CaptionEffect(text);
      Caption(text, p_.text);
      break;
    case 1:
      CaptionEffect(text);
      Caption(text, p_.hover_text);
      break;
    case 2:
      CaptionEffect(pressed);
      Caption(pressed, in_.button_type == 4 ? p_.light : p_.hover_text);
      break;
    case 3:  // engraved
      Caption(pressed, p_.highlight);
      Caption(text, p_.shadow);
      break;
    case 4:
      Caption(text, p_.shadow);
      break;
    case 5:
      Caption(text, Off(p_.soft_face, -104));
      break;
    case 6:
      Caption(pressed, p_.highlight);
      Caption(text, p_.face);
      break;
    case 7:
      Caption(pressed, Off(p_.shadow, -50));
      Caption(text, p_.highlight);
      break;
    default:
      break;
  }
}

// --- Pictures.

const PixelBlock& ButtonPainter::Rendered(const platform::Picture& picture) {
  if (!has_rendered_ || !(rendered_key_ == picture)) {
    rendered_ = canvas_.RenderPicture(picture, p_.mask);
    rendered_key_ = picture;
    has_rendered_ = true;
  }
  return rendered_;
}

void ButtonPainter::Blit(const platform::Picture& picture, Point at, const BlitStyle& style) {
  BlitPicture(canvas_, Rendered(picture), at, style, in_.use_mask, p_.mask);
}

void ButtonPainter::PictureEffect(const platform::Picture& picture, Point at) {
  const int effect = in_.special_effect;
  if (effect <= 0) return;
  Rgb base = p_.face;
  if (in_.button_type == 3)
    base = p_.soft_face;
  else if (in_.button_type == 9 && in_.hovering && in_.scheme != kSchemeCustom)
    base = p_.accent_tint;
  const int d = effect == 2 ? 40 : -40;
  Blit(picture, {at.x + 1, at.y + 1}, Silhouette(Off(base, d)));
  if (effect == 1 || effect == 2) Blit(picture, {at.x - 1, at.y - 1}, Silhouette(Off(base, -d)));
}

void ButtonPainter::Pictures(int mode) {
  if (in_.normal.Empty() || in_.picture_size.width <= 0 || in_.picture_size.height <= 0) return;
  const int type = in_.button_type;
  const Point at = in_.layout.picture;
  const Point shifted{at.x + 1, at.y + 1};
  const auto& normal = in_.normal;
  switch (mode) {
    case 0:
      if (in_.hovering && type == 9) {  // the picture lifts over its shadow
        Blit(normal, shifted, Silhouette(p_.shadow));
        Blit(normal, {at.x - 1, at.y - 1}, Colours());
      } else if (in_.hovering) {
        const auto& picture = in_.over.Empty() ? normal : in_.over;
        PictureEffect(picture, at);
        Blit(picture, at, Colours());
      } else {
        PictureEffect(normal, at);
        Blit(normal, at, Colours(in_.greyscale, type == 9));
      }
      break;
    case 1: {
      const Point down = type == 5 || type == 9 ? at : shifted;
      if (type != 9 && !in_.over.Empty()) {
        Blit(in_.over, down, Colours());
      } else {
        PictureEffect(normal, down);
        Blit(normal, down, Colours());
      }
      break;
    }
    default:
      if (type == 3) {
        Blit(normal, shifted, Colours(true));
      } else if (type == 5 || type == 6 || type == 9) {
        Blit(normal, at, Silhouette(type == 9 ? Off(p_.shadow, 13) : p_.shadow, true));
      } else {  // engraved
        Blit(normal, shifted, Silhouette(p_.highlight, true));
        Blit(normal, at, Silhouette(p_.shadow, true));
      }
      break;
  }
  if (in_.picture_position == kPictureBehind) TextStyle(last_text_style_);
}

}  // namespace quellix::controls
