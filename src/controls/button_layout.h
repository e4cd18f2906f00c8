#pragma once
// Where the drawn button puts its caption, picture and focus rectangle, and the shape of its
// window, for a client area of W x H pixels.

#include <string>

#include "platform/canvas.h"

namespace quellix::controls {

using platform::Point;
using platform::Rect;
using platform::Size;

// Picture positions relative to the caption.
inline constexpr int kPictureLeft = 0, kPictureRight = 1, kPictureTop = 2, kPictureBottom = 3,
                     kPictureBehind = 4;

struct CaptionLayout {
  Rect text;     // the measured caption, centred
  Rect pressed;  // the same moved 1 right and 1 down
  Point picture;
};

// The client rectangle shrunk by 3 pixels for types 7 to 13, by 5 and then moved 1 right and
// down for type 14, and by 4 for every other type.
Rect FocusRectangle(int button_type, Size client);

CaptionLayout LayOutCaption(platform::Canvas& canvas, const std::string& caption,
                            const platform::FontSpec& font, Size client, Size picture, int picture_position,
                            bool has_picture);

// The window shape: the client rectangle with corner pixels removed (types 1, 3, 4, 5, 14),
// the inscribed ellipse (type 13), or the whole rectangle.
platform::Region ButtonRegion(int button_type, Size client);

}  // namespace quellix::controls
