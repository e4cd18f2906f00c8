#pragma once
// The windows a rule for other programs' windows may name, as the rule's edit dialog offers
// them: every shown top-level window of another program, with its program, class and caption;
// and how many of them a rule names now.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "rules/rule.h"

namespace quellix::engine {

struct OpenWindow {
  platform::WindowId window = 0;
  std::string program;  // the program file name, lower-cased
  std::string class_name;
  std::string caption;
};

// Topmost first; never the program's own (process `own_process`), nor those of the
// programs no rule may act on, nor untitled ones of no class.
std::vector<OpenWindow> ListOpenWindows(platform::Services services, platform::WindowId anchor,
                                        std::uint32_t own_process);
// One window, as the list gives it; nothing for a window the list leaves out.
std::optional<OpenWindow> ReadOpenWindow(platform::Services services, platform::WindowId window,
                                         std::uint32_t own_process);

// How many of `open` the rule names by its program, class, title and text (their age aside:
// the count says what the rule is written to catch). A window whose program does not answer
// counts as not named.
std::size_t CountNamedWindows(platform::Services services, const rules::Rule& rule,
                              const std::vector<OpenWindow>& open);

}  // namespace quellix::engine
