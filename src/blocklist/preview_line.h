#pragma once
// The line under a dialog's entry field that says what the entry would burn now, with a
// warning colour and icon when it would burn every browser window.

#include <functional>
#include <string>

#include "engine/entry_preview.h"
#include "platform/ui.h"

namespace quellix::blocklist {

using PreviewFn = std::function<engine::EntryPreview(const std::string&)>;

class PreviewLine {
 public:
  // Creates the line's icon and label on `form`, left to right from `rect`.
  void Create(platform::Ui& ui, platform::UiId form, platform::TwipsRect rect);
  // Tells what `entry` would burn now; nothing when there is no preview to ask.
  void Update(platform::Ui& ui, const PreviewFn& preview, const std::string& entry);

  platform::UiId Label() const { return label_; }
  platform::UiId Icon() const { return icon_; }

 private:
  platform::UiId label_ = 0, icon_ = 0;
};

}  // namespace quellix::blocklist
