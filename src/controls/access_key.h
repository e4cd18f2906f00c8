#pragma once

#include <string>
#include <string_view>

namespace quellix::controls {

// The access key a caption gives, in lower case: the character after the first "&", or,
// when that "&" is doubled ("&&" shows one ampersand), the character after the next "&"
// found further on, unless it is another "&". Empty for none.
std::string AccessKey(std::string_view caption);

}  // namespace quellix::controls
