#pragma once
// drawnButton, the owner-drawn push button of every window of the program: its properties,
// their storage in the form description, the events it raises, and the state machine that
// turns mouse, keyboard, focus, timer and size input into draws and events.
//
// The control's window (platform::ControlWindow) delivers input by calling the On... handlers
// and runs the leave-detection timer; the drawing goes to a platform::Canvas.

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/button_layout.h"
#include "controls/button_painter.h"
#include "controls/button_palette.h"
#include "controls/property_bag.h"
#include "platform/canvas.h"
#include "platform/control_window.h"

namespace quellix::controls {

using platform::OleColor;

inline constexpr std::string_view kDrawnButtonVersion = "2.0.6";
// The leave-detection timer runs only while the mouse is over the button.
inline constexpr unsigned kOverTimerMs = 3;
// The pointer icon HandPointer asks for.
inline const platform::Picture& kHandCursor = platform::kHandPointerIcon;

// Mouse buttons and keys the control tells apart.
inline constexpr int kLeftButton = platform::kMouseLeft, kRightButton = platform::kMouseRight,
                     kMiddleButton = platform::kMouseMiddle;
// The Alt bit of a Shift value (Shift 1, Ctrl 2, Alt 4).
inline constexpr int kShiftAlt = 4;
inline constexpr int kKeySpace = 32, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

class DrawnButton {
 public:
  // Events in their declaration order.
  class Events {
   public:
    virtual ~Events() = default;
    virtual void Click() {}
    virtual void MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
    virtual void MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
    virtual void MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
    virtual void KeyPress(std::int16_t /*key_ascii*/) {}
    virtual void KeyDown(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
    virtual void KeyUp(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
    virtual void MouseOver() {}
    virtual void MouseOut() {}
  };

  // Creation sets the refresh switch; InitNew or Load follows, then Show.
  DrawnButton(platform::ControlWindow& window, platform::Canvas& canvas, Events& events);
  DrawnButton(const DrawnButton&) = delete;
  DrawnButton& operator=(const DrawnButton&) = delete;

  // --- Lifecycle.
  // A new instance placed in a designer.
  void InitNew();
  // Reads the stored properties (drawn_button_store.cpp).
  void Load(const PropertyBag& stored);
  PropertyBag Save() const;
  void Show();
  void Hide() { refresh_ = false; }

  // --- Properties. Setters of stored properties mark the stored properties as changed.
  OleColor BackColor() const { return back_color_; }
  void SetBackColor(OleColor colour);
  OleColor BackOver() const { return back_over_; }
  void SetBackOver(OleColor colour);
  OleColor ForeColor() const { return fore_color_; }
  void SetForeColor(OleColor colour);
  OleColor ForeOver() const { return fore_over_; }
  void SetForeOver(OleColor colour);
  OleColor MaskColor() const { return mask_color_; }
  void SetMaskColor(OleColor colour);
  int ButtonType() const { return button_type_; }
  void SetButtonType(int type);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const platform::FontSpec& Font() const { return font_; }
  void SetFont(const platform::FontSpec& font);
  bool FontBold() const { return font_.weight >= 700; }
  void SetFontBold(bool bold);
  bool FontItalic() const { return font_.italic; }
  void SetFontItalic(bool italic);
  bool FontUnderline() const { return font_.underline; }
  void SetFontUnderline(bool underline);
  std::int16_t FontSize() const;
  void SetFontSize(std::int16_t points);
  const std::string& FontName() const { return font_.name; }
  void SetFontName(const std::string& name);
  int ColorScheme() const { return color_scheme_; }
  void SetColorScheme(int scheme);
  bool ShowFocusRect() const { return show_focus_rect_; }
  void SetShowFocusRect(bool show);
  std::int16_t MousePointer() const { return mouse_pointer_; }
  bool SetMousePointer(std::int16_t code);  // false when the window refuses it
  const platform::Picture& MouseIcon() const { return mouse_icon_; }
  void SetMouseIcon(const platform::Picture& icon);
  bool HandPointer() const { return hand_pointer_; }
  bool SetHandPointer(bool hand);  // false when the window refuses the pointer
  std::uint32_t Hwnd() const { return window_.Handle(); }
  bool SoftBevel() const { return soft_bevel_; }
  void SetSoftBevel(bool soft);
  const platform::Picture& PictureNormal() const { return picture_normal_; }
  void SetPictureNormal(const platform::Picture& picture);
  const platform::Picture& PictureOver() const { return picture_over_; }
  void SetPictureOver(const platform::Picture& picture);
  int PicturePosition() const { return picture_position_; }
  void SetPicturePosition(int position);
  bool UseMaskColor() const { return use_mask_; }
  void SetUseMaskColor(bool use);
  bool UseGreyscale() const { return use_greyscale_; }
  void SetUseGreyscale(bool use);
  int SpecialEffect() const { return special_effect_; }
  void SetSpecialEffect(int effect);
  bool CheckBoxBehaviour() const { return check_box_; }
  void SetCheckBoxBehaviour(bool check);
  bool Value() const { return value_; }
  void SetValue(bool value);
  std::string_view Version() const { return kDrawnButtonVersion; }

  // --- Methods.
  void Refresh();
  void DisableRefresh() { refresh_ = false; }

  // --- Input from the control's window. The mouse handlers take Shift and Ctrl as the mouse
  // message gives them and add Alt from the window, so that all three events carry the same bits.
  void OnMouseDown(int button, int shift, float x, float y);
  void OnMouseMove(int button, int shift, float x, float y);
  void OnMouseUp(int button, int shift, float x, float y);
  // The window system's click, after a press and release on the control.
  void OnClick();
  void OnDoubleClick();
  // The window lost the mouse capture while buttons pressed on it were held.
  void OnCaptureLost();
  void OnKeyDown(int key_code, int shift);
  void OnKeyUp(int key_code, int shift);
  void OnKeyPress(int key_ascii);
  void OnAccessKey();
  void OnFocus(bool gained);
  // The container's colours, font or other ambient properties changed.
  void OnAmbientChanged();
  // The system colours changed: every colour that refers to one is translated again.
  void OnSystemColorsChanged();
  void OnResize();
  // A tick of the leave-detection timer.
  void OnTimer();

  // --- State, for the window and for tests.
  bool Hovering() const { return hovering_; }
  bool HasFocus() const { return focused_; }
  bool RefreshOn() const { return refresh_; }
  bool OverTimerRunning() const { return over_timer_; }
  // A left press began on the button and its release has not come yet.
  bool LeftPressed() const { return left_pressed_; }
  bool StoredPropertiesChanged() const { return properties_changed_; }
  int LastDrawnState() const { return last_state_; }
  const Palette& CurrentPalette() const { return palette_; }
  const CaptionLayout& Layout() const { return layout_; }
  const Rect& FocusRect() const { return focus_rect_; }
  Size PictureSize() const { return picture_size_; }

 private:
  // Draws `state` (kStateUp or kStateDown) when forced or when the state or caption changed,
  // the height is not 0 and the refresh switch is set.
  void Draw(int state, bool force);
  void Redraw() { Draw(last_state_, true); }
  void Changed() { properties_changed_ = true; }
  int MouseShift(int shift) { return shift | (window_.AltHeld() ? kShiftAlt : 0); }
  Palette PaletteFor(OleColor face) const;
  void ComputePalette() { palette_ = PaletteFor(back_color_); }
  void LayOut();
  void MeasurePicture();
  void UpdateAccessKey();
  void CaptureParent();
  Rgb Translate(OleColor colour) const;

  platform::ControlWindow& window_;
  platform::Canvas& canvas_;
  Events& events_;

  int button_type_ = 2;
  int color_scheme_ = kSchemeSystem;
  int picture_position_ = kPictureLeft;
  int special_effect_ = 0;
  int height_ = 0, width_ = 0;
  OleColor back_color_ = platform::SystemColorRef(platform::SystemColor::kButtonFace);
  OleColor back_over_ = back_color_;
  OleColor fore_color_ = platform::SystemColorRef(platform::SystemColor::kButtonText);
  OleColor fore_over_ = fore_color_;
  OleColor mask_color_ = 0xC0C0C0;
  bool use_mask_ = true, use_greyscale_ = false, hand_pointer_ = false;
  platform::Picture picture_normal_, picture_over_;
  platform::PixelBlock background_;  // the parent's pixels behind a type 11 button
  std::string caption_;
  platform::FontSpec font_;
  CaptionLayout layout_;
  Rect focus_rect_;
  Size picture_size_;
  int last_button_ = 0;
  int buttons_held_ = 0;  // the mouse buttons pressed on the button and not yet released
  bool left_pressed_ = false;
  int last_key_ = 0;
  bool enabled_ = true, soft_bevel_ = false, focused_ = false, show_focus_rect_ = true;
  std::int16_t mouse_pointer_ = platform::kPointerDefault;
  platform::Picture mouse_icon_;
  Palette palette_;
  int last_state_ = kStateUp;
  std::string last_caption_;
  int last_text_style_ = 0;
  bool refresh_ = false, hovering_ = false, capture_busy_ = false, over_timer_ = false;
  bool check_box_ = false, value_ = false;
  bool properties_changed_ = false;
};

}  // namespace quellix::controls
