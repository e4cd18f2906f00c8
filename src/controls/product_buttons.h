#pragma once
// The stored properties of every drawn button of the program's windows.

#include <string_view>
#include <vector>

#include "controls/property_store.h"

namespace quellix::controls {

// The description text, in the format of property_store.h.
std::string_view ProductButtonStore();
// The same, read: one block per button.
const std::vector<StoredControl>& ProductButtons();

}  // namespace quellix::controls
