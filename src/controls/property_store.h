#pragma once
// The stored properties of the controls of form descriptions, as text. One block per
// instance, its lines in the order the control wrote them:
//
//   # a comment; blank lines are ignored too
//   Begin Form1.drawnButton1
//     BTYPE = 9
//     TX = "PopUp Caption"
//   End
//
// A key line is the key, "=", and the value text (see property_bag.h); blanks around them do
// not count. Lines that fit none of these forms, and key lines outside a block, are skipped;
// a block left open at the end of the text, or by the next "Begin", still counts.

#include <string>
#include <string_view>
#include <vector>

#include "controls/property_bag.h"

namespace quellix::controls {

struct StoredControl {
  std::string form, name;
  PropertyBag properties;
  friend bool operator==(const StoredControl&, const StoredControl&) = default;
};

std::vector<StoredControl> ReadStore(std::string_view text);
std::string WriteStore(const std::vector<StoredControl>& controls);

// The block of form.name (compared without regard to case), or null.
const StoredControl* FindStored(const std::vector<StoredControl>& controls, std::string_view form,
                                std::string_view name);

}  // namespace quellix::controls
