#pragma once

#include <string>
#include <string_view>

namespace quellix::controls {

// The access key a caption gives: the character after the first "&", or, when that "&" is
// doubled ("&&" shows one ampersand), the character after the next "&" found further on,
// unless it is another "&". An ASCII letter is given in lower case, any other character (in
// UTF-8) as it stands, for the window system to compare without case. Empty for none.
std::string AccessKey(std::string_view caption);

}  // namespace quellix::controls
