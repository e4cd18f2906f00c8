#include "controls/drawn_button.h"

#include <cmath>

#include "controls/access_key.h"

namespace quellix::controls {

DrawnButton::DrawnButton(platform::ControlWindow& window, platform::Canvas& canvas, Events& events)
    : window_(window), canvas_(canvas), events_(events), refresh_(true) {}

// --- Drawing.

Rgb DrawnButton::Translate(OleColor colour) const {
  return controls::Translate(colour, [this](platform::SystemColor c) { return window_.SystemRgb(c); });
}

Palette DrawnButton::PaletteFor(OleColor face) const {
  PaletteSource source;
  source.scheme = color_scheme_;
  source.button_type = button_type_;
  source.soft = soft_bevel_;
  source.back = Translate(face);
  source.back_over = Translate(back_over_);
  source.fore = Translate(fore_color_);
  source.fore_over = Translate(fore_over_);
  source.mask = Translate(mask_color_);
  if (color_scheme_ == kSchemeParent) {
    source.parent_back = Translate(window_.BackColor());
    source.parent_fore = Translate(window_.ForeColor());
  }
  return controls::ComputePalette(source, [this](platform::SystemColor c) { return window_.SystemRgb(c); });
}

void DrawnButton::Draw(int state, bool force) {
  if (check_box_ && value_) state = kStateDown;  // a checked button always looks down
  if (!(force || caption_ != last_caption_ || state != last_state_) || height_ == 0 || !refresh_) return;
  last_state_ = state;
  last_caption_ = caption_;
  // While the mouse is over a button of the custom scheme, its hover colour is the face.
  const bool swap = hovering_ && color_scheme_ == kSchemeCustom;
  PaintInput input;
  input.button_type = button_type_;
  input.scheme = color_scheme_;
  input.size = {width_, height_};
  input.palette = swap ? PaletteFor(back_over_) : palette_;
  input.soft = soft_bevel_;
  input.enabled = enabled_;
  input.hovering = hovering_;
  input.focused = focused_;
  input.show_focus = show_focus_rect_;
  input.default_button = window_.DisplayAsDefault();
  input.special_effect = special_effect_;
  input.picture_position = picture_position_;
  input.use_mask = use_mask_;
  input.greyscale = use_greyscale_;
  input.caption = caption_;
  input.font = font_;
  input.layout = layout_;
  input.focus = focus_rect_;
  input.normal = picture_normal_;
  input.over = picture_over_;
  input.picture_size = picture_size_;
  input.background = button_type_ == 11 ? &background_ : nullptr;
  canvas_.BeginFrame({width_, height_});
  PaintButton(canvas_, input, state, last_text_style_);
  canvas_.EndFrame();
  if (swap) ComputePalette();
}

void DrawnButton::LayOut() {
  layout_ = LayOutCaption(canvas_, caption_, font_, {width_, height_}, picture_size_, picture_position_,
                          !picture_normal_.Empty());
}

void DrawnButton::MeasurePicture() {
  picture_size_ = picture_normal_.Empty() ? Size{} : canvas_.PictureSize(picture_normal_);
}

void DrawnButton::UpdateAccessKey() {
  window_.SetAccessKeys(AccessKey(caption_));
}

// Type 11 draws over a copy of what the parent shows behind it: the button gets out of the way,
// lets the parent repaint, copies the parent's pixels and takes its place again.
void DrawnButton::CaptureParent() {
  capture_busy_ = true;
  window_.SetHeight(0);
  window_.LetPendingEventsRun();
  background_ = window_.ParentPixels({width_, height_});
  window_.SetHeight(height_);
  capture_busy_ = false;
}

// --- Lifecycle and methods.

void DrawnButton::Show() {
  if (button_type_ == 11) CaptureParent();
  refresh_ = true;
  ComputePalette();
  Draw(kStateUp, true);
}

void DrawnButton::Refresh() {
  if (button_type_ == 11) CaptureParent();
  ComputePalette();
  LayOut();
  refresh_ = true;
  Redraw();
}

// --- Properties.

void DrawnButton::SetBackColor(OleColor colour) {
  back_color_ = colour;
  Changed();
  if (!window_.UserMode()) back_over_ = colour;
  ComputePalette();
  Redraw();
}

void DrawnButton::SetBackOver(OleColor colour) {
  back_over_ = colour;
  Changed();
  ComputePalette();
  Redraw();
}

void DrawnButton::SetForeColor(OleColor colour) {
  fore_color_ = colour;
  Changed();
  if (!window_.UserMode()) fore_over_ = colour;
  ComputePalette();
  Redraw();
}

void DrawnButton::SetForeOver(OleColor colour) {
  fore_over_ = colour;
  Changed();
  ComputePalette();
  Redraw();
}

void DrawnButton::SetMaskColor(OleColor colour) {
  mask_color_ = colour;
  Changed();
  ComputePalette();
  Redraw();
}

void DrawnButton::SetButtonType(int type) {
  button_type_ = type;
  Changed();
  if (type == 5 && !window_.UserMode()) font_.weight = 700;
  if (type == 11 && refresh_) CaptureParent();
  OnResize();
}

void DrawnButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
  UpdateAccessKey();
  LayOut();
  Draw(kStateUp, true);
}

void DrawnButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
  Draw(kStateUp, true);
  window_.SetEnabled(enabled);
}

void DrawnButton::SetFont(const platform::FontSpec& font) {
  font_ = font;
  Changed();
  LayOut();
  Draw(kStateUp, true);
}

void DrawnButton::SetFontBold(bool bold) {
  font_.weight = bold ? 700 : 400;
  LayOut();
  Draw(kStateUp, true);
}

void DrawnButton::SetFontItalic(bool italic) {
  font_.italic = italic;
  LayOut();
  Draw(kStateUp, true);
}

void DrawnButton::SetFontUnderline(bool underline) {
  font_.underline = underline;
  LayOut();
  Draw(kStateUp, true);
}

std::int16_t DrawnButton::FontSize() const {
  return static_cast<std::int16_t>(std::nearbyint(font_.size));
}

void DrawnButton::SetFontSize(std::int16_t points) {
  font_.size = points;
  LayOut();
  Draw(kStateUp, true);
}

void DrawnButton::SetFontName(const std::string& name) {
  font_.name = name;
  LayOut();
  Draw(kStateUp, true);
}

void DrawnButton::SetColorScheme(int scheme) {
  color_scheme_ = scheme;
  Changed();
  ComputePalette();
  Draw(kStateUp, true);
}

void DrawnButton::SetShowFocusRect(bool show) {
  show_focus_rect_ = show;
  Changed();
  Redraw();
}

bool DrawnButton::SetMousePointer(std::int16_t code) {
  mouse_pointer_ = code;
  Changed();
  return window_.SetMousePointer(code);
}

void DrawnButton::SetMouseIcon(const platform::Picture& icon) {
  mouse_icon_ = icon;
  Changed();
  window_.SetMouseIcon(icon);  // a pointer icon the window cannot use changes nothing else
}

bool DrawnButton::SetHandPointer(bool hand) {
  hand_pointer_ = hand;
  Changed();
  mouse_icon_ = hand ? kHandCursor : platform::Picture{};
  window_.SetMouseIcon(mouse_icon_);
  mouse_pointer_ = hand ? platform::kPointerCustom : platform::kPointerArrow;
  return window_.SetMousePointer(mouse_pointer_);
}

void DrawnButton::SetSoftBevel(bool soft) {
  soft_bevel_ = soft;
  Changed();
  ComputePalette();
  Redraw();
}

void DrawnButton::SetPictureNormal(const platform::Picture& picture) {
  picture_normal_ = picture;
  Changed();
  MeasurePicture();
  LayOut();
  Redraw();
}

void DrawnButton::SetPictureOver(const platform::Picture& picture) {
  picture_over_ = picture;
  Changed();
  if (hovering_) Redraw();
}

void DrawnButton::SetPicturePosition(int position) {
  picture_position_ = position;
  Changed();
  LayOut();
  Redraw();
}

void DrawnButton::SetUseMaskColor(bool use) {
  use_mask_ = use;
  Changed();
  if (!picture_normal_.Empty()) Redraw();
}

void DrawnButton::SetUseGreyscale(bool use) {
  use_greyscale_ = use;
  Changed();
  if (!picture_normal_.Empty()) Redraw();
}

void DrawnButton::SetSpecialEffect(int effect) {
  special_effect_ = effect;
  Changed();
  Redraw();
}

void DrawnButton::SetCheckBoxBehaviour(bool check) {
  check_box_ = check;
  Changed();
  Redraw();
}

void DrawnButton::SetValue(bool value) {
  value_ = value;
  Changed();
  if (check_box_) Draw(kStateUp, true);
}

// --- Input.

void DrawnButton::OnMouseDown(int button, int shift, float x, float y) {
  events_.MouseDown(static_cast<std::int16_t>(button), static_cast<std::int16_t>(MouseShift(shift)), x, y);
  last_button_ = button;
  // Every button pressed here keeps the mouse until it is released, so its MouseUp comes here
  // wherever the mouse is then.
  buttons_held_ |= button;
  window_.CaptureMouse();
  if (button == kLeftButton) left_pressed_ = true;
  if (button != kRightButton) Draw(kStateDown, false);
}

void DrawnButton::OnMouseMove(int button, int shift, float x, float y) {
  events_.MouseMove(static_cast<std::int16_t>(button), static_cast<std::int16_t>(MouseShift(shift)), x, y);
  if (button >= kRightButton) return;
  if (!window_.CursorOverWindow()) {  // dragged off with the left button held
    Draw(kStateUp, false);
    return;
  }
  // A left button pressed elsewhere and dragged across the button does not push it.
  if (button == kLeftButton && !left_pressed_) return;
  if (button == 0 && !hovering_) {
    window_.StartTimer(kOverTimerMs);
    over_timer_ = true;
    hovering_ = true;
    Draw(kStateUp, true);
    events_.MouseOver();
  } else if (button == kLeftButton) {
    hovering_ = true;
    Draw(kStateDown, false);
    hovering_ = false;
  }
}

void DrawnButton::OnTimer() {
  // A tick already queued when the timer stopped is not a leave.
  if (!over_timer_ || window_.CursorOverWindow()) return;
  window_.StopTimer();
  over_timer_ = false;
  hovering_ = false;
  Draw(kStateUp, true);
  events_.MouseOut();
}

void DrawnButton::OnMouseUp(int button, int shift, float x, float y) {
  events_.MouseUp(static_cast<std::int16_t>(button), static_cast<std::int16_t>(MouseShift(shift)), x, y);
  buttons_held_ &= ~button;
  if (buttons_held_ == 0) window_.ReleaseMouse();
  if (button == kLeftButton) left_pressed_ = false;
  if (button != kRightButton) Draw(kStateUp, false);
}

void DrawnButton::OnCaptureLost() {
  if (buttons_held_ == 0) return;  // given up by the last release
  buttons_held_ = 0;
  left_pressed_ = false;
  Draw(kStateUp, false);
}

void DrawnButton::OnClick() {
  if (last_button_ != kLeftButton || !enabled_) return;
  if (check_box_) value_ = !value_;
  Draw(kStateUp, true);
  window_.Repaint();
  events_.Click();
}

void DrawnButton::OnDoubleClick() {
  if (last_button_ != kLeftButton) return;
  OnMouseDown(kLeftButton, 0, 0, 0);  // which captures the mouse, so the second release comes here
}

void DrawnButton::OnKeyDown(int key_code, int shift) {
  events_.KeyDown(static_cast<std::int16_t>(key_code), static_cast<std::int16_t>(shift));
  last_key_ = key_code;
  switch (key_code) {
    case kKeySpace:
      Draw(kStateDown, false);
      break;
    case kKeyLeft:
    case kKeyUp:
      window_.MoveFocus(false);
      break;
    case kKeyRight:
    case kKeyDown:
      window_.MoveFocus(true);
      break;
    default:
      break;
  }
}

void DrawnButton::OnKeyUp(int key_code, int shift) {
  events_.KeyUp(static_cast<std::int16_t>(key_code), static_cast<std::int16_t>(shift));
  if (last_key_ != kKeySpace || key_code != kKeySpace) return;
  if (check_box_) value_ = !value_;
  Draw(kStateUp, false);
  window_.Repaint();
  events_.Click();
}

void DrawnButton::OnKeyPress(int key_ascii) {
  events_.KeyPress(static_cast<std::int16_t>(key_ascii));
}

void DrawnButton::OnAccessKey() {
  last_button_ = kLeftButton;
  OnClick();
}

void DrawnButton::OnFocus(bool gained) {
  focused_ = gained;
  Redraw();
}

void DrawnButton::OnAmbientChanged() {
  if (color_scheme_ == kSchemeCustom) return;
  ComputePalette();
  Redraw();
}

void DrawnButton::OnSystemColorsChanged() {
  ComputePalette();
  Redraw();
}

void DrawnButton::OnResize() {
  if (capture_busy_) return;
  const Size client = window_.ClientSize();
  height_ = client.height;
  width_ = client.width;
  focus_rect_ = FocusRectangle(button_type_, client);
  LayOut();
  window_.SetRegion(ButtonRegion(button_type_, client));
  if (height_ != 0) Draw(kStateUp, true);
}

}  // namespace quellix::controls
