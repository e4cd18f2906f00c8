#include "controls/access_key.h"

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::controls {

std::string AccessKey(std::string_view caption) {
  if (caption.size() <= 1) return {};
  std::size_t amp = caption.find('&');
  if (amp == std::string_view::npos || amp + 1 >= caption.size()) return {};
  if (caption[amp + 1] == '&') {
    // Only one further "&" is looked at; what follows it decides.
    amp = caption.find('&', amp + 2);
    if (amp == std::string_view::npos || amp + 1 >= caption.size() || caption[amp + 1] == '&') return {};
  }
  const std::size_t key = amp + 1;
  return text::LowerCase(caption.substr(key, text::DecodeUtf8(caption, key).length));
}

}  // namespace quellix::controls
