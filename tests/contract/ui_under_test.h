#pragma once
// What the user-interface contract suite needs from each host: the host itself, and a way to
// act on its windows as a user does, delivered as the window system delivers it.

#include <memory>
#include <string>

#include "platform/ui.h"

namespace quellix::contract {

class UiUnderTest {
 public:
  virtual ~UiUnderTest() = default;
  // A host whose push buttons are all standard ones.
  virtual platform::Ui& Ui() = 0;
  // A click on a push button, check box or option button; pending events run after it.
  virtual void UserClick(platform::UiId control) = 0;
  // The field's text selected and `text` typed over it.
  virtual void UserType(platform::UiId field, const std::string& text) = 0;
  virtual void UserMinimize(platform::UiId form) = 0;
  // The close box of the form's title bar.
  virtual void UserClose(platform::UiId form) = 0;
  // The highlight of a list view moved onto row `row` (1-based) by the user.
  virtual void UserHighlightRow(platform::UiId list, std::size_t row) = 0;
  // Lets about `ms` pass with the host's events running, timers among them.
  virtual void Wait(unsigned ms) = 0;
};

std::unique_ptr<UiUnderTest> MakeUiUnderTest();

}  // namespace quellix::contract
