#include "controls/button_layout.h"

#include <algorithm>
#include <vector>

#include "text/text.h"

namespace quellix::controls {

Rect FocusRectangle(int button_type, Size client) {
  const Rect r{0, 0, client.width, client.height};
  if (button_type >= 7 && button_type <= 13) return {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
  if (button_type == 14) return Rect{r.left + 5, r.top + 5, r.right - 5, r.bottom - 5}.Moved(1, 1);
  return {r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
}

CaptionLayout LayOutCaption(platform::Canvas& canvas, const std::string& caption,
                            const platform::FontSpec& font, Size client, Size picture, int picture_position,
                            bool has_picture) {
  const int w = client.width, h = client.height, pw = picture.width, ph = picture.height;
  Rect box;
  switch (picture_position) {
    case kPictureLeft:
      box = {pw + 1, 1, w - 2, h - 2};
      break;
    case kPictureRight:
      box = {1, 1, w - pw - 2, h - 2};
      break;
    case kPictureTop:
      box = {1, ph + 1, w - 2, h - 2};
      break;
    case kPictureBottom:
      box = {1, 1, w - 2, h - ph - 2};
      break;
    default:
      box = {1, 1, w - 2, h - 2};
      break;
  }
  CaptionLayout layout;
  Rect text = canvas.MeasureText(caption, box, font);
  const int dx = picture_position == kPictureRight ? (w - text.right - pw - 4) / 2 : (w - text.right) / 2;
  const int dy = picture_position == kPictureBottom ? (h - text.bottom - ph - 4) / 2 : (h - text.bottom) / 2;
  layout.text = text.Moved(dx, dy);
  layout.pressed = layout.text.Moved(1, 1);
  if (!has_picture) return layout;
  text = layout.text;
  if (!text::TrimBlanks(caption).empty() && picture_position != kPictureBehind) {
    switch (picture_position) {
      case kPictureLeft:
        layout.picture = {text.left - pw - 4, (h - ph) / 2};
        return layout;
      case kPictureRight:
        layout.picture = {text.right + 4, (h - ph) / 2};
        return layout;
      case kPictureTop:
        layout.picture = {(w - pw) / 2, text.top - ph - 2};
        return layout;
      case kPictureBottom:
        layout.picture = {(w - pw) / 2, text.bottom + 2};
        return layout;
      default:
        break;
    }
  }
  layout.picture = {(w - pw) / 2, (h - ph) / 2};
  return layout;
}

namespace {

// The rectangle minus single pixels, as bands of rows with the same spans.
platform::Region RectangleWithout(Size client, const std::vector<Point>& removed) {
  platform::Region region;
  region.bounds = {0, 0, client.width, client.height};
  std::vector<std::pair<int, int>> previous;  // spans of the band being built
  int band_top = 0;
  const auto close_band = [&](int bottom) {
    for (const auto& [l, r] : previous) region.rectangles.push_back({l, band_top, r, bottom});
  };
  for (int y = 0; y < client.height; ++y) {
    std::vector<int> gaps;
    for (const Point& p : removed)
      if (p.y == y && p.x >= 0 && p.x < client.width) gaps.push_back(p.x);
    std::sort(gaps.begin(), gaps.end());
    std::vector<std::pair<int, int>> spans;
    int x = 0;
    for (int gap : gaps) {
      if (gap > x) spans.emplace_back(x, gap);
      x = std::max(x, gap + 1);
    }
    if (x < client.width) spans.emplace_back(x, client.width);
    if (y == 0 || spans != previous) {
      close_band(y);
      previous = std::move(spans);
      band_top = y;
    }
  }
  close_band(client.height);
  return region;
}

}  // namespace

platform::Region ButtonRegion(int button_type, Size client) {
  const int r = client.width - 1, b = client.height - 1;
  switch (button_type) {
    case 1:
    case 14:
      return RectangleWithout(client, {{0, 0}, {r, 0}, {0, b}, {r, b}});
    case 5:
      return RectangleWithout(client, {{0, b}, {r, 0}});
    case 3:
    case 4:
      return RectangleWithout(client, {{0, 0},
                                       {1, 0},
                                       {0, 1},
                                       {r, 0},
                                       {r - 1, 0},
                                       {r, 1},
                                       {0, b},
                                       {1, b},
                                       {0, b - 1},
                                       {r, b},
                                       {r - 1, b},
                                       {r, b - 1}});
    case 13: {
      platform::Region ellipse;
      ellipse.ellipse = true;
      ellipse.bounds = {0, 0, client.width, client.height};
      return ellipse;
    }
    default:
      return RectangleWithout(client, {});
  }
}

}  // namespace quellix::controls
